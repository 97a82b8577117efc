#include "windows/program_font.h"

namespace windows {

QFont ProgramFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    // Weight, slant, stretch, spacing and the rest would otherwise still be
    // inherited from whatever font the application is given.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

} // namespace windows
