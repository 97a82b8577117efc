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

} // namespace windows
