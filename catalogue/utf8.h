#pragma once

#include <string>
#include <string_view>

namespace catalogue {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The text of Windows code page 1252, the one list files written on older
// Windows systems use, as UTF-8. The five bytes the code page leaves
// undefined stand for the control characters of the same number, as Windows
// itself reads them.
std::string Windows1252ToUtf8(std::string_view bytes);

// The number of bytes of the character at the start of UTF-8 text: a whole
// multi-byte sequence, or one byte where the text is not UTF-8 there.
std::size_t FirstCharacterLength(std::string_view text);

} // namespace catalogue
