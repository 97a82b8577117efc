#include "quiz/selection.h"

namespace quiz {

using catalogue::Script;

namespace {
enum ScriptsInUse : std::uint8_t { None = 0, KatakanaOnly = 1, HiraganaOnly = 2, Both = 3 };
}

std::optional<KanaChoice> ChooseNextKana(QuizState& state, const SetSelection& selection,
                                         const catalogue::KanaCatalogue& catalogue, RandomSource& random)
{
    bool anyKatakana = false;
    bool anyHiragana = false;
    for (state.setIndex = 0; state.setIndex < catalogue::kSetCount; ++state.setIndex) {
        anyKatakana = anyKatakana || selection.katakana[state.setIndex];
        anyHiragana = anyHiragana || selection.hiragana[state.setIndex];
    }
    const auto scriptsInUse = static_cast<ScriptsInUse>((anyKatakana ? 1 : 0) | (anyHiragana ? 2 : 0));
    if (scriptsInUse == None)
        return std::nullopt;

    KanaChoice choice;
    if (scriptsInUse == Both)
        state.pick = static_cast<std::uint8_t>(random.RandomInt(0, 1));
    else
        state.pick = scriptsInUse == HiraganaOnly ? 1 : 0;
    choice.script = state.pick == 1 ? Script::Hiragana : Script::Katakana;

    // Redrawing over all 26 rows gives every ticked row the same chance,
    // whatever its member count. The scan above guarantees a ticked row.
    const auto& ticked = choice.script == Script::Katakana ? selection.katakana : selection.hiragana;
    do {
        state.pick = static_cast<std::uint8_t>(random.RandomInt(0, catalogue::kSetCount - 1));
    } while (!ticked[state.pick]);
    choice.setIndex = state.pick;

    const std::size_t count = catalogue.memberCount(choice.setIndex);
    if (count > 1)
        state.pick = static_cast<std::uint8_t>(random.RandomInt(0, static_cast<std::int16_t>(count - 1)));
    choice.member = count > 1 ? state.pick : 0;

    choice.doubleRequested = choice.script == Script::Hiragana && choice.setIndex != catalogue::kBasicSet
                          && choice.setIndex != catalogue::kNSet && random.RandomInt(0, 1) == 1;

    const catalogue::KanaSymbol& symbol = catalogue.symbol(choice.setIndex, choice.member);
    choice.name = symbol.name;
    choice.picture = catalogue.picture(choice.setIndex, choice.member, choice.script);
    return choice;
}

} // namespace quiz
