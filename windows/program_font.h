#pragma once

#include <QFont>

namespace windows {

// The font every fixed form is laid out for: a 10-pixel DejaVu Sans, sized in
// pixels, not points, so that the desktop's dots-per-inch setting cannot push
// a caption out of its fixed-size control. Every property of it is the
// program's own, so a platform theme that later replaces the application's
// font (qt6ct does, after start-up) leaves the windows as they are laid out;
// the theme's colours still apply.
QFont ProgramFont();

// Makes DejaVu Sans available to the program where the system may lack it.
// On Linux it is the system's own (Debian's fonts-dejavu-core), so
// program_font_unix.cpp does nothing; on Windows, program_font_win.cpp adds
// fonts\DejaVuSans.ttf from beside the executable. Called once the
// application exists, before any window is made.
void InstallProgramFont();

} // namespace windows
