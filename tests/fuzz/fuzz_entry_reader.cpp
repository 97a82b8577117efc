// Feeds arbitrary bytes to the list-file reader. Whatever the bytes, the
// reader must either hand back entries the loaders can trust or stop with an
// EntryError; anything else (a crash, a hang, a sanitizer report, another
// exception, an entry breaking the rules below) is a finding.

#include "catalogue/entry_reader.h"
#include "catalogue/utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Broken(const char* rule, std::size_t entry)
{
    std::fprintf(stderr, "entry %zu breaks a rule of the list-file reader: %s\n", entry, rule);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    catalogue::EntryReader reader(*in.rdbuf());

    std::size_t returned = 0;
    std::size_t entryBytes = 0;
    std::size_t consumedBefore = 0;
    try {
        while (const std::optional<std::string> entry = reader.next()) {
            ++returned;
            entryBytes += entry->size();
            if (entry->size() > catalogue::EntryReader::kMaxEntryBytes)
                Broken("longer than kMaxEntryBytes", returned);
            // A line end always ends an entry, quoted or not.
            if (entry->find_first_of("\r\n") != std::string::npos)
                Broken("holds a line end", returned);
            // Whatever the bytes, the names the program shows are UTF-8.
            if (!catalogue::IsValidUtf8(*entry) && !catalogue::IsValidUtf8(catalogue::Windows1252ToUtf8(*entry)))
                Broken("not UTF-8 once read as Windows-1252", returned);
            if (reader.entriesRead() != returned)
                Broken("entriesRead() differs from the entries returned", returned);
            // Every entry is made of bytes of the input: the reader cannot
            // return more than it was given.
            if (entryBytes > size)
                Broken("more entry bytes than input bytes", returned);
            // Nothing is read far past the last byte kept.
            if (static_cast<std::size_t>(in.tellg()) > consumedBefore + entry->size() + 4 + 2 * catalogue::EntryReader::kMaxSkippedBytes + 3)
                Broken("read further than its bounds past the last byte kept", returned);
            consumedBefore = static_cast<std::size_t>(in.tellg());
        }
        // The end stays the end.
        if (reader.next())
            Broken("an entry after the end of the stream", returned + 1);
    } catch (const catalogue::EntryError& error) {
        // The message names the entry that failed, which is the one after
        // the last returned; a UTF-16 file is refused as a whole, at once.
        const std::string expected = "entry " + std::to_string(returned + 1) + " cannot be read: ";
        const std::string_view what = error.what();
        const bool utf16 = returned == 0 && size >= 2 && (data[0] ^ data[1]) == 1 && what.starts_with("it is written in UTF-16");
        if (!utf16 && what.substr(0, expected.size()) != expected)
            Broken("the error names another entry", returned + 1);
    }
    return 0;
}
