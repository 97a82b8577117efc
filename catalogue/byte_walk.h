#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace catalogue {

// What every structure check says of a file that stops inside a part it
// declares.
inline constexpr std::string_view kPictureEndsEarly = "it is damaged: the picture data ends early";

// A cursor over a picture file's bytes for the structure checks: every read
// is asked for with has() first, so that no length a file declares can lead
// a check past its end.
class ByteWalk {
public:
    explicit ByteWalk(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    bool has(std::size_t count) const { return bytes_.size() - at_ >= count; }
    std::size_t at() const { return at_; }
    std::uint8_t byte(std::size_t offset = 0) const { return static_cast<std::uint8_t>(bytes_[at_ + offset]); }
    // Two or four bytes, least significant first (GIF, BMP) or last (PNG, JPEG).
    std::uint32_t little(std::size_t offset, int count) const { return number(offset, count, false); }
    std::uint32_t big(std::size_t offset, int count) const { return number(offset, count, true); }
    std::string_view text(std::size_t offset, std::size_t count) const { return bytes_.substr(at_ + offset, count); }
    void skip(std::size_t count) { at_ += count; }

private:
    std::uint32_t number(std::size_t offset, int count, bool bigEndian) const
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const int shift = 8 * (bigEndian ? count - 1 - i : i);
            value |= static_cast<std::uint32_t>(byte(offset + static_cast<std::size_t>(i))) << shift;
        }
        return value;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

} // namespace catalogue
