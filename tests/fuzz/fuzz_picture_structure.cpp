// Feeds arbitrary bytes to the structure checks made before a picture is
// decoded. Each must give an answer for any bytes, never read past them,
// and agree with the format told by the content.

#include "catalogue/bmp_structure.h"
#include "catalogue/gif_structure.h"
#include "catalogue/jpeg_structure.h"
#include "catalogue/picture_format.h"
#include "catalogue/png_structure.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool passed[] = {!catalogue::GifDamage(bytes), !catalogue::JpegDamage(bytes), !catalogue::PngDamage(bytes),
                           !catalogue::BmpDamage(bytes)};
    const auto format = catalogue::PictureFormatOf(bytes);
    // A picture passes the check of its own format only, and the whole
    // check passes it exactly then.
    for (int check = 0; check < 4; ++check) {
        if (passed[check] && (!format || static_cast<int>(*format) != check))
            std::abort();
    }
    if (!catalogue::PictureDamage(bytes) != (format && passed[static_cast<int>(*format)]))
        std::abort();
    return 0;
}
