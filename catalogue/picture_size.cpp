#include "catalogue/picture_size.h"

namespace catalogue {

std::optional<std::string> OversizeCause(std::uint64_t width, std::uint64_t height, std::string_view what)
{
    if (width * height <= kMaxPicturePixels)
        return std::nullopt;
    return "it declares " + std::string(what) + " of " + std::to_string(width) + " x " + std::to_string(height)
         + " pixels, more than " + std::to_string(kMaxPicturePixels / (1024 * 1024)) + " megapixels";
}

} // namespace catalogue
