#include "catalogue/kana_catalogue.h"

#include <stdexcept>
#include <utility>

namespace catalogue {

KanaCatalogue::KanaCatalogue()
{
    for (std::size_t i = 0; i < kSetCount; ++i)
        sets_[i].shape = &kSetShapes[i];
}

const KanaSymbol& KanaCatalogue::symbol(std::size_t setIndex, std::size_t member) const
{
    const SymbolSet& s = set(setIndex);
    if (member >= s.count())
        throw std::out_of_range("member index out of range for set " + std::string(s.caption()));
    return s.members[member];
}

KanaSymbol& KanaCatalogue::symbol(std::size_t setIndex, std::size_t member)
{
    return const_cast<KanaSymbol&>(std::as_const(*this).symbol(setIndex, member));
}

const std::string& KanaCatalogue::picture(std::size_t setIndex, std::size_t member, Script script) const
{
    const KanaSymbol& s = symbol(setIndex, member);
    return script == Script::Katakana ? s.katakanaPicture : s.hiraganaPicture;
}

} // namespace catalogue
