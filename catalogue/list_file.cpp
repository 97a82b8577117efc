#include "catalogue/list_file.h"

#include "catalogue/entry_reader.h"
#include "catalogue/load_error.h"
#include "catalogue/regular_file.h"
#include "catalogue/utf8.h"

#include <algorithm>

namespace catalogue {

std::vector<std::string> ReadListFile(const std::filesystem::path& file, std::size_t needed)
{
    RegularFile in(file);
    EntryReader reader(in.buffer());
    std::vector<std::string> entries;
    entries.reserve(needed);
    try {
        while (entries.size() < needed) {
            auto entry = reader.next();
            if (!entry)
                break;
            entries.push_back(std::move(*entry));
        }
    } catch (const EntryError& error) {
        throw LoadError(std::filesystem::absolute(file), error.what());
    }
    if (entries.size() < needed) {
        throw LoadError(std::filesystem::absolute(file),
                        "holds " + std::to_string(entries.size()) + (entries.size() == 1 ? " entry, " : " entries, ")
                            + std::to_string(needed) + " needed");
    }
    // Text that is not UTF-8 comes from an older system, whose lists were
    // written in its Windows code page.
    if (!std::all_of(entries.begin(), entries.end(), IsValidUtf8)) {
        for (std::string& entry : entries)
            entry = Windows1252ToUtf8(entry);
    }
    return entries;
}

} // namespace catalogue
