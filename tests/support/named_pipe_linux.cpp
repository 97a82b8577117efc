#include "tests/support/named_pipe.h"

#include <stdexcept>

#include <sys/stat.h>

void MakeNamedPipe(const std::filesystem::path& file)
{
    if (::mkfifo(file.c_str(), 0600) != 0)
        throw std::runtime_error("cannot make a named pipe at " + file.string());
}
