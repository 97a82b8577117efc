#pragma once

#include <filesystem>

namespace windows {

// The folder of the running executable, as the system itself names it: the
// data folder is looked for beside it. program_folder_unix.cpp and
// program_folder_win.cpp ask each system in its own way.
std::filesystem::path ProgramFolder();

} // namespace windows
