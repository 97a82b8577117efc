#include "catalogue/loaders.h"

#include "catalogue/list_file.h"
#include "catalogue/load_error.h"
#include "catalogue/path_text.h"

#include <string>
#include <system_error>

namespace catalogue {

namespace fs = std::filesystem;

namespace {

void LoadPictures(KanaCatalogue& catalogue, const fs::path& scriptFolder, Script script)
{
    for (std::size_t setIndex = 0; setIndex < kSetCount; ++setIndex) {
        const SetShape& shape = kSetShapes[setIndex];
        std::vector<std::string> fileNames;
        switch (shape.pictures) {
        case PictureSource::FiveMemberList:
            // Reopened for every row: each row takes the first entries of the
            // list, so all rows of one size share the same file names.
            fileNames = ReadListFile(scriptFolder / "stdpaths.txt", shape.count);
            break;
        case PictureSource::ThreeMemberList:
            fileNames = ReadListFile(scriptFolder / "yayuyo.txt", shape.count);
            break;
        case PictureSource::FixedW:
            fileNames = {"a.gif", "o.gif"};
            break;
        case PictureSource::FixedN:
            fileNames = {"n.gif"};
            break;
        }

        const fs::path rowFolder = shape.rowFolder.empty() ? scriptFolder : scriptFolder / shape.rowFolder;
        const std::string folderPrefix = PathText(rowFolder / "");
        for (std::size_t member = 0; member < shape.count; ++member) {
            // The entry is appended as it stands: a list may name a picture
            // in a folder of its own with "../", and one that starts with a
            // separator still stays below the row folder.
            std::string path = folderPrefix + fileNames[member];
            KanaSymbol& symbol = catalogue.symbol(setIndex, member);
            (script == Script::Katakana ? symbol.katakanaPicture : symbol.hiraganaPicture) = std::move(path);
        }
    }
}

} // namespace

fs::path FindDataFolder(const fs::path& programFolder)
{
    // Anything at kat/ other than nothing at all, even a folder that cannot
    // be looked into, is the data the learner means; its loading then tells
    // what is wrong with it.
    const auto present = [](const fs::path& folder) {
        std::error_code error;
        return fs::symlink_status(folder / "kat", error).type() != fs::file_type::not_found;
    };
    if (present(programFolder))
        return programFolder;
    const fs::path installed = (programFolder / ".." / "share" / "quelvane").lexically_normal();
    if (present(installed))
        return installed;
    // The first file the program reads, in both places, so that the learner
    // sees where the data may go.
    const fs::path names = fs::path("kat") / "symbols.txt";
    throw LoadError(programFolder / names, "not found, and neither is " + PathText(installed / names));
}

void LoadSymbolNames(KanaCatalogue& catalogue, const fs::path& dataFolder)
{
    const std::vector<std::string> names = ReadListFile(dataFolder / "kat" / "symbols.txt", kSymbolCount);
    auto name = names.begin();
    for (std::size_t setIndex = 0; setIndex < kSetCount; ++setIndex) {
        for (std::size_t member = 0; member < catalogue.memberCount(setIndex); ++member)
            catalogue.symbol(setIndex, member).name = *name++;
    }
}

void LoadKatakanaPictures(KanaCatalogue& catalogue, const fs::path& dataFolder)
{
    LoadPictures(catalogue, dataFolder / "kat", Script::Katakana);
}

void LoadHiraganaPictures(KanaCatalogue& catalogue, const fs::path& dataFolder)
{
    LoadPictures(catalogue, dataFolder / "hir", Script::Hiragana);
}

KanaCatalogue LoadCatalogue(const fs::path& dataFolder)
{
    KanaCatalogue catalogue;
    LoadSymbolNames(catalogue, dataFolder);
    LoadKatakanaPictures(catalogue, dataFolder);
    LoadHiraganaPictures(catalogue, dataFolder);
    return catalogue;
}

} // namespace catalogue
