#pragma once

#include <cstdint>
#include <string>

namespace quiz {

// The main window's quiz variables; they live as long as the window.
struct QuizState {
    std::uint8_t setIndex = 0; // row counter of the loops over the symbol sets
    std::string answer;        // expected answer for the kana on display
    std::string lastAnswer;    // answer of the presentation before
    std::uint8_t pick = 0;     // scratch value of one selection
    std::int32_t correct = 0;
    std::int32_t missed = 0;

    // False until a kana is on display: with nothing shown there is nothing
    // to check, not even an empty answer.
    bool kanaOnDisplay = false;
    // How many times in a row Less Duplicates has asked for another kana.
    int duplicateRedraws = 0;
};

} // namespace quiz
