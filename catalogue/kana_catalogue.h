#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace catalogue {

// One kana sound. Its katakana and hiragana forms share the name and differ
// only in the picture.
struct KanaSymbol {
    std::string name;
    std::string katakanaPicture;
    std::string hiraganaPicture;
};

enum class Script { Katakana, Hiragana };

// Where a set takes the file names of its members' pictures from.
enum class PictureSource { FiveMemberList, ThreeMemberList, FixedW, FixedN };

inline constexpr std::size_t kSetCount = 26;
inline constexpr std::size_t kSymbolCount = 101;
inline constexpr std::size_t kMaxMembers = 5;

inline constexpr std::size_t kBasicSet = 0;
inline constexpr std::size_t kWSet = 9;
inline constexpr std::size_t kNSet = 10;

// The fixed shape of one row of the kana table; the names and pictures come
// from the data folder.
struct SetShape {
    std::string_view caption;
    std::size_t count;
    std::string_view rowFolder; // empty for N-, whose picture lies in the script folder
    PictureSource pictures;
};

inline constexpr std::array<SetShape, kSetCount> kSetShapes{{
    {"Basic", 5, "-", PictureSource::FiveMemberList},
    {"K", 5, "k-", PictureSource::FiveMemberList},
    {"S", 5, "s-", PictureSource::FiveMemberList},
    {"T", 5, "t-", PictureSource::FiveMemberList},
    {"N", 5, "n-", PictureSource::FiveMemberList},
    {"H", 5, "h-", PictureSource::FiveMemberList},
    {"M", 5, "m-", PictureSource::FiveMemberList},
    {"Y", 3, "y-", PictureSource::ThreeMemberList},
    {"R", 5, "r-", PictureSource::FiveMemberList},
    {"W", 2, "w-", PictureSource::FixedW},
    {"N-", 1, "", PictureSource::FixedN},
    {"G", 5, "g-", PictureSource::FiveMemberList},
    {"Z", 5, "z-", PictureSource::FiveMemberList},
    {"D", 5, "d-", PictureSource::FiveMemberList},
    {"B", 5, "b-", PictureSource::FiveMemberList},
    {"P", 5, "p-", PictureSource::FiveMemberList},
    {"KY", 3, "ky-", PictureSource::ThreeMemberList},
    {"SH", 3, "sh-", PictureSource::ThreeMemberList},
    {"CH", 3, "ch-", PictureSource::ThreeMemberList},
    {"NY", 3, "ny-", PictureSource::ThreeMemberList},
    {"MY", 3, "my-", PictureSource::ThreeMemberList},
    {"RY", 3, "ry-", PictureSource::ThreeMemberList},
    {"GY", 3, "gy-", PictureSource::ThreeMemberList},
    {"J", 3, "j-", PictureSource::ThreeMemberList},
    {"BY", 3, "by-", PictureSource::ThreeMemberList},
    {"PY", 3, "py-", PictureSource::ThreeMemberList},
}};

struct SymbolSet {
    const SetShape* shape = nullptr;
    std::array<KanaSymbol, kMaxMembers> members{};

    std::size_t count() const { return shape->count; }
    std::string_view caption() const { return shape->caption; }
};

// All 101 kana in their 26 sets. Filled once at start-up, read-only after.
class KanaCatalogue {
public:
    KanaCatalogue();

    const SymbolSet& set(std::size_t setIndex) const { return sets_.at(setIndex); }
    std::size_t memberCount(std::size_t setIndex) const { return set(setIndex).count(); }
    const KanaSymbol& symbol(std::size_t setIndex, std::size_t member) const;
    const std::string& picture(std::size_t setIndex, std::size_t member, Script script) const;

    KanaSymbol& symbol(std::size_t setIndex, std::size_t member);

private:
    std::array<SymbolSet, kSetCount> sets_;
};

} // namespace catalogue
