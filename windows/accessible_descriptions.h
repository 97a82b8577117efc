#pragma once

namespace windows {

// Tells screen readers what the program's own widgets are, where a plain
// widget would say nothing: the main window is a frame, the wrong-answer and
// About windows an alert and a dialog, the announcer a notification, and a
// picture moved out of sight is hidden.
void InstallAccessibleDescriptions();

} // namespace windows
