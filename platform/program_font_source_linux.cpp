#include "platform/program_font_source.h"

namespace platform {

// DejaVu Sans comes with the system (Debian's fonts-dejavu-core), found
// through fontconfig like every other font.
void InstallProgramFont() {}

} // namespace platform
