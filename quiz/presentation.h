#pragma once

#include "quiz/quiz_state.h"

#include <string>

namespace quiz {

// The kana window and the small-tsu picture, in twips (1/1440 inch); the
// main window's layout places them with these sizes.
inline constexpr int kKanaWindowWidth = 1575;
inline constexpr int kKanaWindowHeight = 1335;
inline constexpr int kSmallTsuWidth = 270;
// Far enough left of the kana window that none of the small tsu shows.
inline constexpr double kSmallTsuHidden = -300;

struct PictureSize {
    double width = 0;
    double height = 0;
};

// Everything the window has to do to show one kana.
struct Presentation {
    std::string answer;      // the expected answer, doubled for a double consonant
    bool doubled = false;
    double kanaLeft = 0;     // picture position inside the kana window
    double kanaTop = 0;
    double smallTsuLeft = kSmallTsuHidden;
    bool testMode = false;
    // Test mode: the answer box is emptied and focused and the check button
    // enabled. Study: the answer is written into the box, the button disabled.
    std::string answerBoxText;
    bool checkEnabled = false;
};

// Decides how a kana is shown. `doubleRequested` is the selection's coin,
// `showDoubles` the learner's option; both must allow a double consonant.
Presentation PlanPresentation(const std::string& kananame, PictureSize picture, bool test, bool doubleRequested,
                              bool showDoubles);

// The expected answer moves to lastAnswer before a kana is shown, and the new
// one is fixed once it is on display.
void BeginPresentation(QuizState& state);
void CompletePresentation(QuizState& state, const Presentation& presentation);
// The picture could not be shown: there is no kana on display to answer,
// and a chain of Less Duplicates redraws is over.
void AbandonPresentation(QuizState& state);

// With Less Duplicates on, the same answer twice in a row asks for another
// kana. The number of such redraws in a row is bounded, because a selection
// that can only repeat itself (only N- ticked) would otherwise never end.
inline constexpr int kMaxDuplicateRedraws = 20;
bool ShouldRedrawDuplicate(QuizState& state, bool lessDuplicates);

} // namespace quiz
