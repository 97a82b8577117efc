#include "catalogue/picture_size.h"

namespace catalogue {

namespace {

std::string Declared(std::uint64_t width, std::uint64_t height, std::string_view what)
{
    return "it declares " + std::string(what) + " of " + std::to_string(width) + " x " + std::to_string(height)
         + " pixels";
}

} // namespace

std::optional<std::string> SizeCause(std::uint64_t width, std::uint64_t height, std::string_view what)
{
    if (width == 0 || height == 0)
        return Declared(width, height, what) + ", which holds nothing to show";
    return OversizeCause(width, height, what);
}

std::optional<std::string> OversizeCause(std::uint64_t width, std::uint64_t height, std::string_view what)
{
    // Each side is at most 32 bits wide in any format, so the product cannot wrap.
    if (width * height <= kMaxPicturePixels)
        return std::nullopt;
    return Declared(width, height, what) + ", more than " + std::to_string(kMaxPicturePixels / (1024 * 1024))
         + " megapixels";
}

std::optional<std::string> SideDataCause(std::uint64_t bytes, std::size_t bound, std::string_view what)
{
    if (bytes <= bound)
        return std::nullopt;
    return "it holds " + std::to_string(bytes) + " bytes of " + std::string(what) + " beside the picture, more than "
         + std::to_string(bound);
}

std::optional<std::string> SidePiecesCause(std::size_t pieces)
{
    if (pieces <= kMaxSidePieces)
        return std::nullopt;
    return "it holds more than " + std::to_string(kMaxSidePieces) + " pieces of text and other data beside the picture";
}

} // namespace catalogue
