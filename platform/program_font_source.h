#pragma once

namespace platform {

// Makes DejaVu Sans, the font every form is laid out for, available where the
// system may lack it. On Linux it is the system's own (Debian's
// fonts-dejavu-core); on Windows the program brings it in the fonts folder
// beside the executable. Called once the application exists, before any
// window is made.
void InstallProgramFont();

} // namespace platform
