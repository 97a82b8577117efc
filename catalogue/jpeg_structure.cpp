#include "catalogue/jpeg_structure.h"

#include "catalogue/byte_walk.h"
#include "catalogue/picture_size.h"

#include <cstdint>

namespace catalogue {

namespace {

constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEnd = 0xD9;
constexpr std::uint8_t kComment = 0xFE;

bool IsFrame(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Huffman or arithmetic coded, sequential or progressive: what the decoder
// reads. Lossless and hierarchical frames it refuses.
bool IsFrameDecoded(std::uint8_t marker)
{
    return marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC9 || marker == 0xCA;
}

// Markers that stand alone, with no length after them: restarts and TEM.
bool StandsAlone(std::uint8_t marker)
{
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// The coded data of a scan runs to the next marker; a 0xFF inside it is
// followed by a zero byte or a restart marker.
void SkipCodedData(ByteWalk& walk)
{
    for (; walk.has(1); walk.skip(1)) {
        if (walk.byte() == 0xFF && walk.has(2) && walk.byte(1) != 0 && !StandsAlone(walk.byte(1)))
            return;
    }
}

} // namespace

std::optional<std::string> JpegDamage(std::string_view bytes)
{
    const std::string endsEarly(kPictureEndsEarly);
    if (bytes.substr(0, 3) != "\xFF\xD8\xFF")
        return "it is not a JPEG picture";
    ByteWalk walk(bytes);
    walk.skip(2);

    bool sawFrame = false;
    std::size_t scans = 0;
    std::uint64_t side = 0;
    std::size_t pieces = 0;
    for (;;) {
        while (walk.has(1) && walk.byte() == 0xFF) // a marker and any fill bytes before it
            walk.skip(1);
        if (!walk.has(1))
            return endsEarly;
        const std::uint8_t marker = walk.byte();
        walk.skip(1);
        if (marker == kEnd)
            return scans > 0 ? std::nullopt : std::optional<std::string>("it is damaged: it holds no picture");
        if (StandsAlone(marker))
            continue;
        if (!walk.has(2) || walk.big(0, 2) < 2 || !walk.has(walk.big(0, 2)))
            return endsEarly;
        const std::size_t length = walk.big(0, 2);
        if (IsFrame(marker)) {
            if (!IsFrameDecoded(marker))
                return "it is a kind of JPEG picture (lossless or hierarchical) this program cannot show";
            if (sawFrame)
                return "it is damaged: it holds two frames";
            if (length < 8)
                return endsEarly;
            if (auto cause = SizeCause(walk.big(5, 2), walk.big(3, 2), "a picture"))
                return cause;
            sawFrame = true;
        } else if ((marker >= 0xE0 && marker <= 0xEF) || marker == kComment) {
            if (auto cause = SidePiecesCause(++pieces))
                return cause;
            side += length;
            if (auto cause = SideDataCause(side, kMaxSideBytes, "text and other data"))
                return cause;
        }
        walk.skip(length);
        if (marker == kStartOfScan) {
            if (!sawFrame)
                return "it is damaged: a scan comes before its frame";
            if (++scans > kMaxJpegScans)
                return "it holds more than " + std::to_string(kMaxJpegScans) + " scans, each a pass over the whole picture";
            SkipCodedData(walk);
        }
        if (!walk.has(1) || walk.byte() != 0xFF)
            return walk.has(1) ? std::optional<std::string>("it is damaged: a segment stands where none can") : endsEarly;
    }
}

} // namespace catalogue
