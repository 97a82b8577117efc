#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace catalogue {

// Paths travel through the catalogue and into messages as narrow text: on
// Linux the file system's own bytes, unchanged; on Windows UTF-8, so that a
// folder named in any script survives. The plain narrow conversions of
// std::filesystem cannot be used for this: on Windows they go through the
// ANSI code page one way and UTF-8 the other.
inline std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::filesystem::path TextPath(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

} // namespace catalogue
