#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// Walks the segments of a JPEG file and tells why it cannot be shown, or
// nothing when it can: not a JPEG, cut short before its end marker, a kind
// the decoder lacks, a size of no pixels or too many, more scans than
// kMaxJpegScans (each one a pass over the whole picture), or more data
// beside the picture than kMaxSideBytes, or in more than kMaxSidePieces.
std::optional<std::string> JpegDamage(std::string_view bytes);

} // namespace catalogue
