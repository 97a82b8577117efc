#include "platform/program_font_source.h"

#include "platform/program_folder.h"

#include <QFontDatabase>
#include <QString>

#include <iostream>

namespace platform {

// Windows has no DejaVu Sans: the program brings its own, in the fonts
// folder beside the executable, for this process only. Without it the forms
// still open, in whatever font Windows puts in its place.
void InstallProgramFont()
{
    const std::filesystem::path file = ProgramFolder() / L"fonts" / L"DejaVuSans.ttf";
    if (QFontDatabase::addApplicationFont(QString::fromStdWString(file.wstring())) < 0)
        std::cerr << "quelvane: cannot load fonts\\DejaVuSans.ttf; the windows will use another font\n";
}

} // namespace platform
