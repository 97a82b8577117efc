#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace catalogue {

// Reads the first `needed` entries of a list file and closes it; whatever
// follows them is never read. Throws LoadError naming the file when it is
// missing, unreadable, damaged or too short.
std::vector<std::string> ReadListFile(const std::filesystem::path& file, std::size_t needed);

} // namespace catalogue
