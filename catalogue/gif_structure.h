#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// Walks the blocks of a GIF file and tells what is wrong with it, or nothing
// when it can be shown. Decoders show a GIF cut short as far as it goes, with
// the rest filled in, so a damaged kana picture would pass for a real one;
// and they size their buffers by the declared sizes, which are checked here
// first. A GIF whose data is whole but lacks the final trailer byte is fine.
std::optional<std::string> GifDamage(std::string_view bytes);

} // namespace catalogue
