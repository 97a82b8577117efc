#pragma once

#include "catalogue/kana_catalogue.h"

#include <filesystem>

namespace catalogue {

// The folder that holds kat/ and hir/: the program folder itself, or, for an
// installed copy, ../share/quelvane/ beside it. When neither has the data,
// throws LoadError naming the file it looked for in both.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFolder);

// Fills a whole catalogue from the data folder: names, then the katakana
// picture paths, then the hiragana ones. Throws LoadError naming the file at
// the first failure; no partly filled catalogue ever leaves this function.
KanaCatalogue LoadCatalogue(const std::filesystem::path& dataFolder);

void LoadSymbolNames(KanaCatalogue& catalogue, const std::filesystem::path& dataFolder);
void LoadKatakanaPictures(KanaCatalogue& catalogue, const std::filesystem::path& dataFolder);
void LoadHiraganaPictures(KanaCatalogue& catalogue, const std::filesystem::path& dataFolder);

} // namespace catalogue
