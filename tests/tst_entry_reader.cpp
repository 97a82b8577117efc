#include "catalogue/entry_reader.h"

#include <QTest>

#include <sstream>
#include <vector>

using catalogue::EntryError;
using catalogue::EntryReader;

namespace {

std::vector<std::string> readAll(const std::string& text)
{
    std::istringstream in(text);
    EntryReader reader(in);
    std::vector<std::string> entries;
    while (auto entry = reader.next())
        entries.push_back(*entry);
    return entries;
}

QStringList toQt(const std::vector<std::string>& entries)
{
    QStringList list;
    for (const auto& e : entries)
        list << QString::fromStdString(e);
    return list;
}

} // namespace

class EntryReaderTest : public QObject {
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList five{"a", "i", "u", "e", "o"};
        QTest::newRow("one per line") << QByteArray("a\ni\nu\ne\no\n") << five;
        QTest::newRow("commas on one line") << QByteArray("a,i,u,e,o") << five;
        QTest::newRow("mixed separators") << QByteArray("a,i\nu\ne,o") << five;
        QTest::newRow("CRLF line ends") << QByteArray("a\r\ni\r\nu,e\r\no\r\n") << five;
        QTest::newRow("blanks before entries") << QByteArray("  a, \ti,   u\n   e,o") << five;
        QTest::newRow("comma before a line end") << QByteArray("a, i,\nu, e,\r\no,\n") << five;
        QTest::newRow("blank lines") << QByteArray("a\n\ni\n\r\n\nu\ne\no") << five;
        QTest::newRow("quoted entries") << QByteArray("\"a\",\"i\"\n\"u\"\r\n\"e\", \"o\"") << five;
        QTest::newRow("quoted comma") << QByteArray("\"a,i\",u") << QStringList{"a,i", "u"};
        QTest::newRow("quoted blanks kept") << QByteArray("\" a \",b") << QStringList{" a ", "b"};
        QTest::newRow("text after closing quote dropped") << QByteArray("\"a\"x,b") << QStringList{"a", "b"};
        QTest::newRow("empty entries between commas") << QByteArray("a,,b") << QStringList{"a", "", "b"};
        QTest::newRow("empty quoted entry") << QByteArray("\"\",b") << QStringList{"", "b"};
        QTest::newRow("case kept") << QByteArray("Ka,SHI") << QStringList{"Ka", "SHI"};
        QTest::newRow("byte-order mark skipped") << QByteArray("\xEF\xBB\xBF" "a,i") << QStringList{"a", "i"};
        QTest::newRow("mark only at the start") << QByteArray("a,\xEF\xBB\xBF" "i") << QStringList{"a", "\xEF\xBB\xBF" "i"};
        QTest::newRow("utf-8 text") << QByteArray("\xE3\x81\x82,b") << QStringList{QString::fromUtf8("\xE3\x81\x82"), "b"};
        QTest::newRow("empty file") << QByteArray("") << QStringList{};
        QTest::newRow("only blanks") << QByteArray(" \r\n\n\t") << QStringList{};
    }

    void entries()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        QCOMPARE(toQt(readAll(text.toStdString())), expected);
    }

    void damagedEntries_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("cause");
        QTest::newRow("quote never closed") << QByteArray("a,\"b") << "entry 2 cannot be read: its closing double quote is missing";
        QTest::newRow("quote closed on a later line") << QByteArray("\"a\nb\"") << "entry 1 cannot be read: its closing double quote is missing";
        QTest::newRow("lone CR inside an entry") << QByteArray("a\rb,c") << "entry 1 cannot be read: it holds binary data";
        QTest::newRow("NUL byte") << QByteArray("a,b\0c", 5) << "entry 2 cannot be read: it holds binary data";
        QTest::newRow("invalid UTF-8") << QByteArray("a\n\xC3\x28") << "entry 2 cannot be read: it is not UTF-8 text";
        QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << "entry 1 cannot be read: it is not UTF-8 text";
        QTest::newRow("entry too long") << QByteArray(1025, 'x') << "entry 1 cannot be read: it is longer than 1024 bytes";
    }

    void damagedEntries()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, cause);
        try {
            readAll(text.toStdString());
            QFAIL("no error reported");
        } catch (const EntryError& error) {
            QCOMPARE(QString::fromStdString(error.what()), cause);
        }
    }

    void longestEntryAccepted()
    {
        const std::string entry(EntryReader::kMaxEntryBytes, 'x');
        for (const char* separator : {",", "\n", "\r\n"})
            QCOMPARE(readAll(entry + separator + "y").front().size(), EntryReader::kMaxEntryBytes);
    }

    // A file of one endless entry is given up after the bound, not read whole.
    void endlessEntryStopsEarly()
    {
        std::istringstream in(std::string(1 << 20, 'x'));
        EntryReader reader(in);
        QVERIFY_THROWS_EXCEPTION(EntryError, reader.next());
        QVERIFY(in.tellg() < 4096);
    }

    void readsNoFurtherThanAsked()
    {
        std::istringstream in("a,b,c");
        EntryReader reader(in);
        QCOMPARE(*reader.next(), std::string("a"));
        QCOMPARE(reader.entriesRead(), std::size_t{1});
        QCOMPARE(*reader.next(), std::string("b"));
        QCOMPARE(*reader.next(), std::string("c"));
        QVERIFY(!reader.next());
        QCOMPARE(reader.entriesRead(), std::size_t{3});
    }
};

QTEST_APPLESS_MAIN(EntryReaderTest)
#include "tst_entry_reader.moc"
