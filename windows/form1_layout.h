#pragma once

#include "windows/form_layout.h"

namespace windows {

// The main window's client area, in twips.
inline constexpr int kForm1Width = 4035;
inline constexpr int kForm1Height = 6645;

// The 83 controls of the main window.
FormLayout Form1Layout();

// The object name of element `index` of a check-box array: "displayHira(3)".
QString SetBoxName(const QString& arrayName, int index);

} // namespace windows
