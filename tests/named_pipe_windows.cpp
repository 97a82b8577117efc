#include "data_folder.h"

#include <stdexcept>

// Windows keeps its named pipes apart from the folders, under \\.\pipe\.
void makeNamedPipe(const std::filesystem::path& file)
{
    throw std::runtime_error("no named pipe can stand in a folder, as at " + file.string());
}
