#pragma once

namespace accessibility {

// Tells screen readers what the program's own widgets are, where a plain
// widget would say nothing: each window its WindowRole (the main window a
// frame, the wrong-answer and About windows an alert and a dialog), the
// announcer a notification, and a picture moved out of sight is hidden.
void InstallAccessibleDescriptions();

} // namespace accessibility
