#include "quiz/score.h"

#include <limits>

namespace quiz {

namespace {

constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();

void Increment(std::int32_t& count)
{
    if (count < kMaxCount)
        ++count;
}

} // namespace

std::string PercentText(std::int32_t correct, std::int32_t missed)
{
    // Whole numbers, so that an exact tie (1 of 32 is 3.125) is known to be
    // one and always rounds up; a double would round some ties down.
    const std::int64_t total = static_cast<std::int64_t>(correct) + missed;
    const std::int64_t hundredths = (std::int64_t{20000} * correct + total) / (2 * total);
    const long long whole = hundredths / 100;
    const long long decimals = hundredths % 100;

    std::string text = whole == 0 ? std::string() : std::to_string(whole);
    text += '.';
    if (decimals != 0) {
        text += static_cast<char>('0' + decimals / 10);
        if (decimals % 10 != 0)
            text += static_cast<char>('0' + decimals % 10);
    }
    return text + '%';
}

ScoreText ScoreDisplay(const QuizState& state)
{
    ScoreText text{std::to_string(state.missed), std::to_string(state.correct), std::nullopt};
    if (static_cast<std::int64_t>(state.correct) + state.missed >= 1)
        text.percent = PercentText(state.correct, state.missed);
    return text;
}

Verdict CheckAnswer(const QuizState& state, const std::string& typedLowerCase)
{
    if (!state.kanaOnDisplay)
        return Verdict::NothingToCheck;
    return typedLowerCase == state.answer ? Verdict::Right : Verdict::Wrong;
}

void CountCorrect(QuizState& state) { Increment(state.correct); }

void CountMissed(QuizState& state) { Increment(state.missed); }

std::string Reveal(QuizState& state, bool testMode)
{
    // A point moves whole or not at all: with missed at its largest value
    // there is nowhere to move it to.
    if (testMode && state.correct != 0 && state.missed < kMaxCount) {
        ++state.missed;
        --state.correct;
    }
    return state.answer;
}

} // namespace quiz
