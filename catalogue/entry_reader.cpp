#include "catalogue/entry_reader.h"

#include "catalogue/utf8.h"

namespace catalogue {

namespace {
constexpr auto kEof = std::char_traits<char>::eof();

bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
} // namespace

EntryReader::EntryReader(std::istream& in)
    : in_(*in.rdbuf())
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
    check(entry);
    ++entriesRead_;
    return entry;
}

void EntryReader::skipByteOrderMark()
{
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
    while (isBlank(c))
        c = in_.snextc();
    return c != kEof;
}

std::string EntryReader::readQuoted()
{
    std::string entry;
    in_.sbumpc(); // opening quote
    for (int c = in_.sgetc();; c = in_.snextc()) {
        if (c == kEof || c == '\n')
            fail("its closing double quote is missing");
        if (c == '"')
            break;
        append(entry, static_cast<char>(c));
    }
    // Whatever stands between the closing quote and the separator is not
    // part of the entry.
    for (int c = in_.snextc(); c != kEof; c = in_.snextc()) {
        if (c == ',' || c == '\n') {
            in_.sbumpc();
            break;
        }
    }
    return entry;
}

std::string EntryReader::readPlain()
{
    std::string entry;
    int c = in_.sgetc();
    while (c != kEof) {
        if (c == ',' || c == '\n') {
            in_.sbumpc();
            break;
        }
        if (c == '\r') {
            // CR before LF, or at the very end, is the line end of a CRLF
            // file and counts towards no entry's length.
            c = in_.snextc();
            if (c == '\n')
                in_.sbumpc();
            if (c == '\n' || c == kEof)
                break;
            append(entry, '\r');
            continue;
        }
        append(entry, static_cast<char>(c));
        c = in_.snextc();
    }
    return entry;
}

void EntryReader::append(std::string& entry, char c) const
{
    if (entry.size() >= kMaxEntryBytes)
        fail("it is longer than " + std::to_string(kMaxEntryBytes) + " bytes");
    entry.push_back(c);
}

void EntryReader::check(const std::string& entry) const
{
    for (unsigned char c : entry) {
        if (c < 0x20 && c != '\t')
            fail("it holds binary data");
    }
    if (!isValidUtf8(entry))
        fail("it is not UTF-8 text");
}

void EntryReader::fail(const std::string& cause) const
{
    throw EntryError("entry " + std::to_string(entriesRead_ + 1) + " cannot be read: " + cause);
}

} // namespace catalogue
