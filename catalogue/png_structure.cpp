#include "catalogue/png_structure.h"

#include "catalogue/byte_walk.h"
#include "catalogue/picture_size.h"

#include <cstdint>

namespace catalogue {

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1A\n";

// Chunks a decoder inflates on reading: compressed text, international text
// (compressed or not, it is read the same way) and the colour profile.
bool IsPacked(std::string_view type)
{
    return type == "zTXt" || type == "iTXt" || type == "iCCP";
}

bool IsPixelData(std::string_view type)
{
    return type == "IHDR" || type == "PLTE" || type == "IDAT" || type == "IEND";
}

} // namespace

std::optional<std::string> PngDamage(std::string_view bytes)
{
    const std::string endsEarly(kPictureEndsEarly);
    if (bytes.substr(0, kSignature.size()) != kSignature)
        return "it is not a PNG picture";
    ByteWalk walk(bytes);
    walk.skip(kSignature.size());

    std::uint64_t side = 0;
    std::uint64_t packed = 0;
    std::size_t pieces = 0;
    bool sawPixels = false;
    while (walk.has(8)) {
        const std::uint32_t length = walk.big(0, 4);
        const std::string_view type = walk.text(4, 4);
        walk.skip(8);
        if (length > 0x7FFFFFFFu || !walk.has(std::size_t{length} + 4))
            return endsEarly;
        if (walk.at() == kSignature.size() + 8) {
            if (type != "IHDR" || length != 13)
                return "it is damaged: its header is missing";
            if (auto cause = SizeCause(walk.big(0, 4), walk.big(4, 4), "a picture"))
                return cause;
        }
        if (type == "IEND")
            return sawPixels ? std::nullopt : std::optional<std::string>("it is damaged: it holds no picture");
        sawPixels = sawPixels || type == "IDAT";
        if (!IsPixelData(type)) {
            if (auto cause = SidePiecesCause(++pieces))
                return cause;
            side += length;
            packed += IsPacked(type) ? length : 0;
            if (auto cause = SideDataCause(packed, kMaxPackedSideBytes, "compressed text or colour profile"))
                return cause;
            if (auto cause = SideDataCause(side, kMaxSideBytes, "text and other data"))
                return cause;
        }
        walk.skip(std::size_t{length} + 4); // the data and its CRC
    }
    return endsEarly;
}

} // namespace catalogue
