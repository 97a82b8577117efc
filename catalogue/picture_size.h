#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// The most pixels a picture may declare, for the whole picture and for each
// of its frames: 2048 x 2048, twenty times the kana window at twice the
// resolution, and small enough to decode in well under a second whatever the
// format, within the other bounds below (README.md has the worst times). A
// few header bytes could otherwise ask for gigabytes.
inline constexpr std::uint64_t kMaxPicturePixels = 4 * 1024 * 1024;

// The most bytes read for one picture: the largest one uncompressed at
// 8 bits a channel, with room for its headers.
inline constexpr std::size_t kMaxPictureBytes = 4 * kMaxPicturePixels + (1 << 20);

// The most memory the toolkit may take for one decoded picture, in MiB: the
// largest one at 16 bits a channel. A second wall behind the checks made
// from the file's structure, should a decoder size a buffer on its own.
inline constexpr int kMaxDecodedMiB = static_cast<int>(8 * kMaxPicturePixels / (1024 * 1024));

// What a picture may hold beside its pixels (text, colour profiles, camera
// data), which decoders read in whole: the most bytes of it as stored, and,
// of what a decoder unpacks (a PNG's compressed text and colour profile),
// the most bytes packed. Packed data unpacks to a thousand times its size,
// so 8 KiB stays under 9 MB, where 150 KB took the toolkit 800 MB.
inline constexpr std::size_t kMaxSideBytes = 1024 * 1024;
inline constexpr std::size_t kMaxPackedSideBytes = 8 * 1024;
// And the most pieces it comes in (PNG chunks, JPEG segments): the toolkit
// gathers a JPEG's comments and camera data piece by piece in quadratic
// time, so that 40,000 empty ones, 160 KB, held it for seven seconds.
inline constexpr std::size_t kMaxSidePieces = 64;

// The most scans of a JPEG picture. Each scan of a progressive JPEG is a
// pass over the whole picture, even an empty one; a photograph has ten at
// most, and thousands held the toolkit for minutes.
inline constexpr std::size_t kMaxJpegScans = 64;

// The cause, in words, why a picture of `width` x `height` cannot be shown:
// it holds no pixels (decoders then size it from other fields), or it is
// too large; or nothing when it can. `what` names it: "a picture".
std::optional<std::string> SizeCause(std::uint64_t width, std::uint64_t height, std::string_view what);

// Only the bound on pixels, for the frames of an animation, which may be
// empty.
std::optional<std::string> OversizeCause(std::uint64_t width, std::uint64_t height, std::string_view what);

// The cause when `bytes` of side data go past `bound`: "it holds 9000 bytes
// of packed text beside the picture, more than 8192"; or when its pieces
// go past kMaxSidePieces.
std::optional<std::string> SideDataCause(std::uint64_t bytes, std::size_t bound, std::string_view what);
std::optional<std::string> SidePiecesCause(std::size_t pieces);

} // namespace catalogue
