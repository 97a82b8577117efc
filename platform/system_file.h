#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// The few calls on the system's files that differ between Linux and
// Windows, for RegularFile; system_file_linux.cpp and system_file_windows.cpp
// make them. Every failure is a LoadError naming the file and the cause the
// system gives.
namespace platform::system_file {

// A file descriptor on Linux, a HANDLE on Windows.
using Handle = std::intptr_t;

// Opens the absolute `file` for reading without ever waiting for it, and
// refuses it, closed again, unless it is a regular file once links are
// followed.
Handle OpenRegular(const std::filesystem::path& file);

// Up to `size` bytes into `data`; 0 at the end of the file.
std::size_t Read(Handle handle, const std::filesystem::path& file, char* data, std::size_t size);

void Close(Handle handle) noexcept;

} // namespace platform::system_file
