#pragma once

#include <cstddef>
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

// The most bytes read for one picture: the largest one uncompressed at
// 8 bits a channel, with room for its headers.
inline constexpr std::size_t kMaxPictureBytes = 4 * kMaxPicturePixels + (1 << 20);

// The cause, in words, why a picture of `width` x `height` is too large to
// show, or nothing when it is not. `what` names it: "a picture", "a frame".
std::optional<std::string> OversizeCause(std::uint64_t width, std::uint64_t height, std::string_view what);

} // namespace catalogue
