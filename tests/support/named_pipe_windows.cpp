#include "tests/support/named_pipe.h"

#include <stdexcept>

// Windows keeps its named pipes apart from the folders, under \\.\pipe\.
void MakeNamedPipe(const std::filesystem::path& file)
{
    throw std::runtime_error("no named pipe can stand in a folder, as at " + file.string());
}
