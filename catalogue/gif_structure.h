#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// The most pixels a picture may declare, for the whole picture and for each
// of its frames: 2048 x 2048, twenty times the kana window at twice the
// resolution, and small enough to decode in well under a tenth of a second
// whatever the format. A few header bytes could otherwise ask for gigabytes.
inline constexpr std::uint64_t kMaxPicturePixels = 4 * 1024 * 1024;

// The cause, in words, why a picture of `width` x `height` is too large to
// show, or nothing when it is not.
std::optional<std::string> OversizeCause(std::uint64_t width, std::uint64_t height, std::string_view what);

// Walks the blocks of a GIF file and tells what is wrong with it, or nothing
// when it can be shown. Decoders show a GIF cut short as far as it goes, with
// the rest filled in, so a damaged kana picture would pass for a real one;
// and they size their buffers by the declared sizes, which are checked here
// first. A GIF whose data is whole but lacks the final trailer byte is fine.
std::optional<std::string> GifDamage(std::string_view bytes);

} // namespace catalogue
