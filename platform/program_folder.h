#pragma once

#include <filesystem>

namespace platform {

// The folder of the running executable, as the system itself names it: the
// data folder is looked for beside it. program_folder_linux.cpp and
// program_folder_windows.cpp ask each system in its own way.
std::filesystem::path ProgramFolder();

} // namespace platform
