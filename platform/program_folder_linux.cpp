#include "platform/program_folder.h"

#include <QApplication>
#include <QFile>

#include <system_error>

namespace platform {

// The link's bytes, not Qt's answer, which is text and cannot hold a folder
// name that is not valid in the locale's encoding.
std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return QFile::encodeName(QApplication::applicationDirPath()).toStdString();
    return program.parent_path();
}

} // namespace platform
