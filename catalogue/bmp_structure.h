#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// Reads the headers of a BMP file and tells why it cannot be shown, or
// nothing when it can: not a BMP, a header or compression the toolkit does
// not read, a size of no pixels or too many, or uncompressed rows cut short.
std::optional<std::string> BmpDamage(std::string_view bytes);

} // namespace catalogue
