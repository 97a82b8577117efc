#include "catalogue/entry_reader.h"

namespace catalogue {

namespace {
constexpr auto kEof = std::char_traits<char>::eof();

bool IsLineEnd(int c) { return c == '\n' || c == '\r'; }
bool IsBlank(int c) { return c == ' ' || c == '\t' || IsLineEnd(c); }
} // namespace

EntryReader::EntryReader(std::streambuf& in)
    : in_(in)
{
}

std::optional<std::string> EntryReader::next()
{
    if (atStart_) {
        skipByteOrderMark();
        atStart_ = false;
    }
    if (!skipBlanks())
        return std::nullopt;

    std::string entry = in_.sgetc() == '"' ? readQuoted() : readPlain();
    ++entriesRead_;
    return entry;
}

void EntryReader::skipByteOrderMark()
{
    // What Windows editors save as "Unicode": FF FE or FE FF first.
    const int first = in_.sgetc();
    if (first == 0xFF || first == 0xFE) {
        const int second = in_.snextc();
        if (second == (first ^ 0x01))
            throw EntryError("it is written in UTF-16 (what Windows calls \"Unicode\"); list files are read as UTF-8 "
                             "or Windows-1252, so save it again as UTF-8");
        in_.sungetc();
        return;
    }
    static constexpr char kMark[] = "\xEF\xBB\xBF";
    for (int i = 0; i < 3; ++i) {
        if (in_.sgetc() != static_cast<unsigned char>(kMark[i])) {
            // A partial mark is ordinary text: put back what was taken.
            while (i-- > 0)
                in_.sungetc();
            return;
        }
        in_.sbumpc();
    }
}

bool EntryReader::skipBlanks()
{
    int c = in_.sgetc();
    for (std::size_t skipped = 0; IsBlank(c); c = in_.snextc()) {
        if (++skipped > kMaxSkippedBytes)
            fail("more than " + std::to_string(kMaxSkippedBytes) + " blank bytes stand before it");
    }
    return c != kEof;
}

// Takes a comma or a line end (CRLF as one) from the stream, or nothing when
// `c`, the character at hand, is neither.
bool EntryReader::takeSeparator(int c)
{
    if (c != ',' && !IsLineEnd(c))
        return false;
    if (in_.snextc() == '\n' && c == '\r')
        in_.sbumpc();
    return true;
}

std::string EntryReader::readQuoted()
{
    std::string entry;
    for (int c = in_.snextc(); c != '"'; c = in_.snextc()) {
        if (c == kEof || IsLineEnd(c))
            fail("its closing double quote is missing");
        append(entry, static_cast<char>(c));
    }
    // Whatever stands between the closing quote and the separator is not
    // part of the entry, and is not read without end either.
    std::size_t skipped = 0;
    for (int c = in_.snextc(); c != kEof && !takeSeparator(c); c = in_.snextc()) {
        if (++skipped > kMaxSkippedBytes)
            fail("more than " + std::to_string(kMaxSkippedBytes) + " bytes follow its closing double quote");
    }
    return entry;
}

std::string EntryReader::readPlain()
{
    std::string entry;
    for (int c = in_.sgetc(); c != kEof && !takeSeparator(c); c = in_.snextc())
        append(entry, static_cast<char>(c));
    return entry;
}

void EntryReader::append(std::string& entry, char c) const
{
    if (entry.size() >= kMaxEntryBytes)
        fail("it is longer than " + std::to_string(kMaxEntryBytes) + " bytes");
    entry.push_back(c);
}

void EntryReader::fail(const std::string& cause) const
{
    throw EntryError("entry " + std::to_string(entriesRead_ + 1) + " cannot be read: " + cause);
}

} // namespace catalogue
