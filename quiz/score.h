#pragma once

#include "quiz/quiz_state.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quiz {

// The percentage of right answers in the pattern "###.##" followed by "%":
// two decimals at most, no trailing zeros, no leading zero, the point always
// written (100.%, 37.5%, .5%, .%). Needs at least one answer counted.
std::string PercentText(std::int32_t correct, std::int32_t missed);

// The captions of the three score labels.
struct ScoreText {
    std::string missed;
    std::string correct;
    std::optional<std::string> percent; // nothing while no answer is counted
};
ScoreText ScoreDisplay(const QuizState& state);

enum class Verdict { NothingToCheck, Right, Wrong };

// Compares the typed text, lower-cased by the window (which knows the
// Unicode case rules, so that a typed "Ō" is "ō") and otherwise untouched,
// with the expected answer, exactly. Counts nothing: a right answer is
// counted after the next kana is on display, a wrong one after the
// wrong-answer window is up.
Verdict CheckAnswer(const QuizState& state, const std::string& typedLowerCase);

// The counts stop at the largest 32-bit value instead of overflowing.
void CountCorrect(QuizState& state);
void CountMissed(QuizState& state);

// A reveal in test mode moves one point from correct to missed, when there
// is one to move and room for it. Returns the text for the answer box.
std::string Reveal(QuizState& state, bool testMode);

} // namespace quiz
