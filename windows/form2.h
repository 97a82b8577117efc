#pragma once

#include "windows/picture_window.h"

namespace windows {

// Tells the learner the answer was wrong. Its button gives the main window
// and the check button back, with the same kana still to answer.
class Form2 : public PictureWindow {
    Q_OBJECT
public:
    explicit Form2(QWidget* mainWindow);
};

} // namespace windows
