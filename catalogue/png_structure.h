#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// Walks the chunks of a PNG file and tells why it cannot be shown, or
// nothing when it can: not a PNG, cut short, a size of no pixels or too
// many, or more text and profile data beside the picture than the bounds of
// picture_size.h. The toolkit reads a PNG's header, compressed text
// included, before it reports the size, so this runs first.
std::optional<std::string> PngDamage(std::string_view bytes);

} // namespace catalogue
