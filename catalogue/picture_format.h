#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// The formats a learner's picture may be in: GIF and JPEG, which the kana
// pictures have always been, and PNG and BMP, which any editor saves. Each
// has a check of its own structure made before the toolkit sees a byte;
// other formats (icons and cursors holding pictures of other sizes, the
// text-based ones, TIFF and the rest) would each widen what a hostile file
// can reach, for no picture a learner needs.
enum class PictureFormat { Gif, Jpeg, Png, Bmp };

// The format, told by the content, not the name.
std::optional<PictureFormat> PictureFormatOf(std::string_view bytes);

// The format's name as the toolkit's image readers know it: "gif".
const char* FormatName(PictureFormat format);

// Why the picture cannot be shown, or nothing when its structure is sound
// and within every bound of picture_size.h.
std::optional<std::string> PictureDamage(std::string_view bytes);

} // namespace catalogue
