#include "catalogue/picture_format.h"

#include "catalogue/bmp_structure.h"
#include "catalogue/gif_structure.h"
#include "catalogue/jpeg_structure.h"
#include "catalogue/png_structure.h"

namespace catalogue {

std::optional<PictureFormat> PictureFormatOf(std::string_view bytes)
{
    if (bytes.starts_with("GIF8"))
        return PictureFormat::Gif;
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return PictureFormat::Jpeg;
    if (bytes.starts_with("\x89PNG"))
        return PictureFormat::Png;
    if (bytes.starts_with("BM"))
        return PictureFormat::Bmp;
    return std::nullopt;
}

const char* FormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Gif:
        return "gif";
    case PictureFormat::Jpeg:
        return "jpeg";
    case PictureFormat::Png:
        return "png";
    case PictureFormat::Bmp:
        return "bmp";
    }
    return "";
}

std::optional<std::string> PictureDamage(std::string_view bytes)
{
    const auto format = PictureFormatOf(bytes);
    if (!format)
        return "it is not a picture in a format this program can show (GIF, JPEG, PNG or BMP)";
    switch (*format) {
    case PictureFormat::Gif:
        return GifDamage(bytes);
    case PictureFormat::Jpeg:
        return JpegDamage(bytes);
    case PictureFormat::Png:
        return PngDamage(bytes);
    case PictureFormat::Bmp:
        return BmpDamage(bytes);
    }
    return std::nullopt;
}

} // namespace catalogue
