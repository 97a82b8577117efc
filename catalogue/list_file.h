#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace catalogue {

// Reads the first `needed` entries of a list file and closes it; whatever
// follows them is never read. The entries come back as UTF-8: a file whose
// entries are not UTF-8 is read as Windows-1252. Throws LoadError naming the
// file when it is missing, unreadable, not a regular file, too short or
// written in UTF-16, or when an entry is unclosed, too long, or stands
// among more skipped bytes than EntryReader allows.
std::vector<std::string> ReadListFile(const std::filesystem::path& file, std::size_t needed);

} // namespace catalogue
