#include "windows/program_font.h"

namespace windows {

// DejaVu Sans comes with the system (Debian's fonts-dejavu-core), found
// through fontconfig like every other font.
void InstallProgramFont() {}

} // namespace windows
