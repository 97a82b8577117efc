#include "catalogue/list_file.h"

#include "catalogue/entry_reader.h"
#include "catalogue/load_error.h"

#include <fstream>
#include <system_error>

namespace catalogue {

namespace {

std::ifstream openForReading(const std::filesystem::path& file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw LoadError(file, "not found");
    if (status.type() == std::filesystem::file_type::directory)
        throw LoadError(file, "cannot be read: it is a folder, not a file");

    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw LoadError(file, "cannot be read: " + std::generic_category().message(errno));
    return in;
}

} // namespace

std::vector<std::string> ReadListFile(const std::filesystem::path& file, std::size_t needed)
{
    std::ifstream in = openForReading(file);
    EntryReader reader(in);
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
        throw LoadError(file, error.what());
    }
    if (in.bad())
        throw LoadError(file, "cannot be read: input/output error");
    if (entries.size() < needed) {
        throw LoadError(file, "holds " + std::to_string(entries.size()) + (entries.size() == 1 ? " entry, " : " entries, ")
                                  + std::to_string(needed) + " needed");
    }
    return entries;
}

} // namespace catalogue
