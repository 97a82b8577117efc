#pragma once

#include "windows/picture_window.h"

namespace windows {

// The About window: the program's name, version and credit.
class Form3 : public PictureWindow {
    Q_OBJECT
public:
    explicit Form3(QWidget* mainWindow);
};

} // namespace windows
