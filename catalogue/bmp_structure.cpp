#include "catalogue/bmp_structure.h"

#include "catalogue/byte_walk.h"
#include "catalogue/picture_size.h"

#include <cstdint>

namespace catalogue {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12; // the oldest form, 16-bit sides
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

bool IsInfoHeader(std::uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// A side as declared: 32-bit two's complement, a negative height meaning
// rows stored top-down.
std::uint64_t Magnitude(std::uint32_t side)
{
    return (side & 0x80000000u) ? std::uint64_t{~side} + 1 : side;
}

} // namespace

std::optional<std::string> BmpDamage(std::string_view bytes)
{
    const std::string endsEarly(kPictureEndsEarly);
    if (bytes.substr(0, 2) != "BM")
        return "it is not a BMP picture";
    ByteWalk walk(bytes);
    if (!walk.has(kFileHeader + 4))
        return endsEarly;
    const std::uint32_t pixelsAt = walk.little(10, 4);
    walk.skip(kFileHeader);
    const std::uint32_t headerSize = walk.little(0, 4);
    if (headerSize != kCoreHeader && !IsInfoHeader(headerSize))
        return "it is a kind of BMP picture this program cannot show";
    if (!walk.has(headerSize))
        return endsEarly;

    const bool core = headerSize == kCoreHeader;
    const std::uint32_t width = core ? walk.little(4, 2) : walk.little(4, 4);
    const std::uint32_t height = core ? walk.little(6, 2) : walk.little(8, 4);
    const std::uint32_t bitsPerPixel = walk.little(core ? 10 : 14, 2);
    const std::uint32_t compression = core ? kUncompressed : walk.little(16, 4);
    if (width & 0x80000000u)
        return "it is damaged: it declares a negative width";
    if (auto cause = SizeCause(width, Magnitude(height), "a picture"))
        return cause;
    if (compression > kBitFields) // pictures of other formats inside, among them
        return "it is a kind of BMP picture this program cannot show";
    if (compression != kUncompressed && compression != kBitFields)
        return std::nullopt; // run-length coded: its length is its own, and the decoder stops at the picture's end
    const std::uint64_t rowBytes = (std::uint64_t{width} * bitsPerPixel + 31) / 32 * 4;
    if (pixelsAt > bytes.size() || bytes.size() - pixelsAt < rowBytes * Magnitude(height))
        return endsEarly;
    return std::nullopt;
}

} // namespace catalogue
