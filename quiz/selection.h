#pragma once

#include "catalogue/kana_catalogue.h"
#include "quiz/quiz_state.h"
#include "quiz/random_source.h"

#include <array>
#include <optional>
#include <string>

namespace quiz {

// Which symbol sets the learner has ticked, per script, by set index.
struct SetSelection {
    std::array<bool, catalogue::kSetCount> katakana{};
    std::array<bool, catalogue::kSetCount> hiragana{};
};

// The kana chosen for the next question and how it may be shown.
struct KanaChoice {
    catalogue::Script script = catalogue::Script::Katakana;
    std::size_t setIndex = 0;
    std::size_t member = 0;
    std::string picture;
    std::string name;
    bool doubleRequested = false; // may be shown as a double consonant
};

// Draws the next kana from the ticked sets: the script (an even chance when
// both columns have rows), a ticked set, a member, and for hiragana outside
// Basic and N- a coin for the double consonant. Nothing when no set is ticked.
std::optional<KanaChoice> ChooseNextKana(QuizState& state, const SetSelection& selection,
                                         const catalogue::KanaCatalogue& catalogue, RandomSource& random);

} // namespace quiz
