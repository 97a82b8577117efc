#pragma once

#include <filesystem>

// Makes a named pipe at `file`, or throws where the system has none in its
// folders.
void MakeNamedPipe(const std::filesystem::path& file);
