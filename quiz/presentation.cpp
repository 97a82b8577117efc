#include "quiz/presentation.h"

#include "catalogue/utf8.h"

namespace quiz {

Presentation PlanPresentation(const std::string& kananame, PictureSize picture, bool test, bool doubleRequested,
                              bool showDoubles)
{
    Presentation p;
    p.answer = kananame;
    p.testMode = test;
    p.kanaTop = (kKanaWindowHeight - picture.height) / 2;
    p.kanaLeft = (kKanaWindowWidth - picture.width) / 2;

    if (doubleRequested && showDoubles) {
        p.doubled = true;
        p.answer.insert(0, p.answer, 0, catalogue::FirstCharacterLength(p.answer));
        // The small tsu ends where the centred kana began; the kana then moves
        // right by the small tsu's left edge, so a narrow kana stands apart
        // from it and the widest (69 px) pair just fills the window.
        p.smallTsuLeft = p.kanaLeft - kSmallTsuWidth;
        p.kanaLeft = (kKanaWindowWidth - picture.width) / 2 + p.smallTsuLeft;
    }

    p.checkEnabled = test;
    p.answerBoxText = test ? std::string() : p.answer;
    return p;
}

void BeginPresentation(QuizState& state)
{
    state.lastAnswer = state.answer;
    state.answer.clear();
}

void CompletePresentation(QuizState& state, const Presentation& presentation)
{
    state.answer = presentation.answer;
    state.kanaOnDisplay = true;
}

void AbandonPresentation(QuizState& state)
{
    state.answer.clear();
    state.kanaOnDisplay = false;
    state.duplicateRedraws = 0;
}

bool ShouldRedrawDuplicate(QuizState& state, bool lessDuplicates)
{
    if (lessDuplicates && state.answer == state.lastAnswer && state.duplicateRedraws < kMaxDuplicateRedraws) {
        ++state.duplicateRedraws;
        return true;
    }
    state.duplicateRedraws = 0;
    return false;
}

} // namespace quiz
