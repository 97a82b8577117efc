#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <streambuf>
#include <string>

namespace catalogue {

// A list file entry that breaks the format; the message names the entry by
// its position so that the file's reader can add the file name.
class EntryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the entries of a list file: entries are separated by commas or line
// ends in any mix (LF, CRLF or a lone CR), may be enclosed in double quotes
// (which may hold commas), and blanks before an entry are skipped. A line end
// right after a comma does not start another entry, so a list written as
// "a, i,\nu" holds three entries. Whatever else stands in an entry is kept
// byte for byte, control characters and NULs included; a byte-order mark at
// the start of the stream is not part of the first entry. A UTF-16 stream
// (known by its byte-order mark) is refused: read byte by byte, its names
// would hold a NUL in every other byte and match no answer.
class EntryReader {
public:
    // Longer entries mean a damaged file; the bound also keeps a file with no
    // separators from being read whole into memory.
    static constexpr std::size_t kMaxEntryBytes = 1024;
    // The most bytes skipped in a row, blanks before an entry or whatever
    // follows its closing quote: past the last byte kept, the reader reads
    // no more than this before it gives up, whatever the file holds.
    static constexpr std::size_t kMaxSkippedBytes = 1024;

    explicit EntryReader(std::streambuf& in);

    // The next entry, or nothing at the end of the stream. Throws EntryError.
    std::optional<std::string> next();

    std::size_t entriesRead() const { return entriesRead_; }

private:
    void skipByteOrderMark();
    bool skipBlanks();
    bool takeSeparator(int c);
    std::string readQuoted();
    std::string readPlain();
    void append(std::string& entry, char c) const;
    [[noreturn]] void fail(const std::string& cause) const;

    std::streambuf& in_;
    std::size_t entriesRead_ = 0;
    bool atStart_ = true;
};

} // namespace catalogue
