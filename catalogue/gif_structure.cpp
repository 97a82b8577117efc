#include "catalogue/gif_structure.h"

#include "catalogue/byte_walk.h"
#include "catalogue/picture_size.h"

#include <cstddef>
#include <cstdint>

namespace catalogue {

namespace {

constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

// A colour table follows a descriptor whose flags have the top bit set.
std::size_t ColourTableSize(std::uint8_t flags)
{
    return (flags & 0x80) ? 3u * (std::size_t{2} << (flags & 0x07)) : 0;
}

// Data sub-blocks: a length byte and that many bytes, until a zero length.
bool SkipSubBlocks(ByteWalk& walk)
{
    while (walk.has(1)) {
        const std::size_t length = walk.byte();
        walk.skip(1);
        if (length == 0)
            return true;
        if (!walk.has(length))
            return false;
        walk.skip(length);
    }
    return false;
}

} // namespace

std::optional<std::string> GifDamage(std::string_view bytes)
{
    const std::string endsEarly(kPictureEndsEarly);
    if (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a")
        return "it is not a GIF picture";

    ByteWalk walk(bytes);
    walk.skip(6);
    if (!walk.has(7))
        return endsEarly;
    if (auto oversize = SizeCause(walk.little(0, 2), walk.little(2, 2), "a picture"))
        return oversize;
    const std::size_t globalTable = ColourTableSize(walk.byte(4));
    walk.skip(7);
    if (!walk.has(globalTable))
        return endsEarly;
    walk.skip(globalTable);

    bool sawImage = false;
    while (walk.has(1)) {
        const std::uint8_t block = walk.byte();
        walk.skip(1);
        if (block == kTrailer)
            return sawImage ? std::nullopt : std::optional<std::string>("it is damaged: it holds no picture");
        if (block == kExtension) {
            if (!walk.has(1))
                return endsEarly;
            walk.skip(1); // the extension's label
            if (!SkipSubBlocks(walk))
                return endsEarly;
        } else if (block == kImage) {
            if (!walk.has(9))
                return endsEarly;
            if (auto oversize = OversizeCause(walk.little(4, 2), walk.little(6, 2), "a frame"))
                return oversize;
            const std::size_t localTable = ColourTableSize(walk.byte(8));
            walk.skip(9);
            if (!walk.has(localTable + 1))
                return endsEarly;
            walk.skip(localTable + 1); // the table and the LZW code size
            if (!SkipSubBlocks(walk))
                return endsEarly;
            sawImage = true;
        } else {
            return "it is damaged: an unknown block stands in it";
        }
    }
    return sawImage ? std::nullopt : std::optional<std::string>(endsEarly);
}

} // namespace catalogue
