// The list-file reader, the loaders, the checks made before a picture is
// decoded, and the data folder the program ships.

#include "catalogue/entry_reader.h"
#include "catalogue/gif_structure.h"
#include "catalogue/list_file.h"
#include "catalogue/load_error.h"
#include "catalogue/loaders.h"
#include "data_folder.h"

#include <QTest>

#include <sstream>

using namespace catalogue;
namespace fs = std::filesystem;

namespace {

QStringList readEntries(const QByteArray& text)
{
    std::istringstream in(text.toStdString());
    EntryReader reader(*in.rdbuf());
    QStringList entries;
    try {
        while (auto entry = reader.next())
            entries << QString::fromStdString(*entry);
    } catch (const EntryError& error) {
        entries << QString::fromStdString(error.what());
    }
    return entries;
}

QByteArray shipped(const QString& relative)
{
    QFile file(QStringLiteral(QUELVANE_SHIPPED_DATA "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray numbered(int count, const char* separator)
{
    QByteArrayList names;
    for (int i = 1; i <= count; ++i)
        names << "n" + QByteArray::number(i);
    return names.join(separator);
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList five{"a", "i", "u", "e", "o"};
        QTest::newRow("one per line") << QByteArray("a\ni\nu\ne\no\n") << five;
        QTest::newRow("commas and line ends mixed") << QByteArray("a,i\nu\ne,o") << five;
        QTest::newRow("CRLF, lone CR, LF mixed") << QByteArray("a\r\ni\ru\n\re\r\r\no") << five;
        QTest::newRow("blanks before entries") << QByteArray("  a, \ti,   u\n   e,o") << five;
        QTest::newRow("comma before a line end") << QByteArray("a, i,\nu, e,\r\no,\r") << five;
        QTest::newRow("quoted entries") << QByteArray("\"a\",\"i\"\n\"u\"\r\"e\", \"o\"") << five;
        QTest::newRow("quoted comma and blanks") << QByteArray("\" a,i \",u") << QStringList{" a,i ", "u"};
        QTest::newRow("text after closing quote dropped") << QByteArray("\"a\"x,b") << QStringList{"a", "b"};
        QTest::newRow("empty entries") << QByteArray("a,,\"\",b") << QStringList{"a", "", "", "b"};
        QTest::newRow("case and inner blanks kept") << QByteArray("Ka o,SHI\t") << QStringList{"Ka o", "SHI\t"};
        QTest::newRow("control characters kept") << QByteArray("a\x01" "b,\x7f", 5) << QStringList{"a\x01" "b", "\x7f"};
        QTest::newRow("NUL kept") << QByteArray("a\0b,c", 5) << QStringList{QString("a") + QChar(0) + "b", "c"};
        QTest::newRow("byte-order mark skipped") << QByteArray("\xEF\xBB\xBF" "a,\xEF\xBB\xBF" "i")
                                                 << QStringList{"a", "\xEF\xBB\xBF" "i"};
        QTest::newRow("longest entry before CRLF") << QByteArray(1024, 'x') + "\r\ny"
                                                   << QStringList{QString(1024, 'x'), "y"};
        QTest::newRow("only blanks") << QByteArray(" \r\n\n\t\r") << QStringList{};
        QTest::newRow("quote never closed") << QByteArray("a,\"b") << QStringList{"a", "entry 2 cannot be read: its closing double quote is missing"};
        QTest::newRow("quote broken by a lone CR") << QByteArray("\"a\rb\"") << QStringList{"entry 1 cannot be read: its closing double quote is missing"};
        QTest::newRow("entry too long") << QByteArray(1025, 'x') << QStringList{"entry 1 cannot be read: it is longer than 1024 bytes"};
    }

    void entries()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        QCOMPARE(readEntries(text), expected);
    }

    // Lists written on an older system are in its Windows code page; a file
    // that is UTF-8 throughout is read as UTF-8.
    void textEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("UTF-8") << QByteArray("\xC5\x8D,\xE2\x82\xAC,ka") << QStringList{"ō", "€", "ka"};
        QTest::newRow("Windows-1252") << QByteArray("\xE9,\x80,\x9F\x81") << QStringList{"é", "€", "Ÿ\u0081"};
        QTest::newRow("one byte that is not UTF-8") << QByteArray("\xC3\xA9,\xFF,a") << QStringList{"Ã©", "ÿ", "a"};
        QTest::newRow("past the entries read") << QByteArray("\xC3\xA9,b,c,\xFF") << QStringList{"é", "b", "c"};
    }

    void textEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        const DataFolderCopy data(false);
        data.write("list.txt", bytes);
        QStringList read;
        for (const std::string& entry : ReadListFile(data.path() / "list.txt", 3))
            read << QString::fromStdString(entry);
        QCOMPARE(read, names);
    }

    // Names stand in set order: the Y row between M and R, N- between W and G.
    void namePositions()
    {
        DataFolderCopy lines;
        lines.write("kat/symbols.txt", numbered(101, "\n"));
        DataFolderCopy commas;
        commas.write("kat/symbols.txt", numbered(101, ",") + ",extra,\"more, still\"\r\n");
        commas.write("hir/symbols.txt", "never read");
        const KanaCatalogue a = LoadCatalogue(lines.path());
        const KanaCatalogue b = LoadCatalogue(commas.path());
        const std::pair<std::size_t, std::size_t> places[] = {{7, 0}, {7, 2}, {kWSet, 0}, {kWSet, 1}, {kNSet, 0}, {11, 0}, {25, 2}};
        const char* names[] = {"n36", "n38", "n44", "n45", "n46", "n47", "n101"};
        for (std::size_t i = 0; i < std::size(places); ++i) {
            QCOMPARE(a.symbol(places[i].first, places[i].second).name, names[i]);
            QCOMPARE(b.symbol(places[i].first, places[i].second).name, names[i]);
        }
    }

    void picturePaths()
    {
        DataFolderCopy data;
        data.write("kat/stdpaths.txt", "k1.gif,k2.gif,k3.gif,k4.gif,k5.gif,k6.gif");
        data.write("kat/yayuyo.txt", "ky1.gif\nky2.gif\nky3.gif\nky4.gif");
        data.write("hir/stdpaths.txt", "h1.gif,h2.gif,h3.gif,../h4.gif,/h5.gif");
        data.write("hir/yayuyo.txt", "hy1.gif,hy2.gif,hy3.gif");
        const KanaCatalogue catalogue = LoadCatalogue(data.path());
        auto path = [&](std::size_t s, std::size_t m, Script script) {
            return fs::path(catalogue.picture(s, m, script)).lexically_normal();
        };
        auto expected = [&](const char* relative) { return (data.path() / relative).lexically_normal(); };
        QCOMPARE(path(1, 2, Script::Katakana), expected("kat/k-/k3.gif"));
        QCOMPARE(path(15, 4, Script::Katakana), expected("kat/p-/k5.gif"));
        QCOMPARE(path(0, 0, Script::Katakana), expected("kat/-/k1.gif"));
        QCOMPARE(path(7, 2, Script::Katakana), expected("kat/y-/ky3.gif"));
        QCOMPARE(path(25, 0, Script::Katakana), expected("kat/py-/ky1.gif"));
        QCOMPARE(path(17, 1, Script::Hiragana), expected("hir/sh-/hy2.gif"));
        // Entries are appended as they stand.
        QCOMPARE(path(4, 3, Script::Hiragana), expected("hir/h4.gif"));
        QCOMPARE(path(4, 4, Script::Hiragana), expected("hir/n-/h5.gif"));
        // W and N- take no file names from the lists.
        QCOMPARE(path(kWSet, 1, Script::Katakana), expected("kat/w-/o.gif"));
        QCOMPARE(path(kWSet, 0, Script::Hiragana), expected("hir/w-/a.gif"));
        QCOMPARE(path(kNSet, 0, Script::Hiragana), expected("hir/n.gif"));
    }

    void dataFolderBesideOrInstalled()
    {
        QTemporaryDir root;
        const fs::path bin = root.path().toStdString() + "/bin";
        const fs::path share = root.path().toStdString() + "/share/quelvane";
        fs::create_directories(bin);
        QCOMPARE(FindDataFolder(bin), bin); // nowhere: errors then name the program folder
        fs::create_directories(share / "kat");
        QCOMPARE(fs::canonical(FindDataFolder(bin)), fs::canonical(share));
        fs::create_symlink("/nonexistent", bin / "kat"); // broken, but it is what was meant
        QCOMPARE(FindDataFolder(bin), bin);
    }

    void gifChecks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause");
        const QByteArray whole = shipped("hir/ky-/o.gif");
        QTest::newRow("whole") << whole << "";
        QTest::newRow("without its trailer") << whole.chopped(1) << "";
        QTest::newRow("no picture") << QByteArray("GIF89a\1\0\1\0\0\0\0\x3B", 14) << "it is damaged: it holds no picture";
        QTest::newRow("unknown block") << QByteArray("GIF89a\1\0\1\0\0\0\0\x99\x3B", 15)
                                       << "it is damaged: an unknown block stands in it";
        QTest::newRow("65535 x 65535") << QByteArray("GIF89a\xFF\xFF\xFF\xFF\0\0\0", 13)
                                       << "it declares a picture of 65535 x 65535 pixels, more than 4 megapixels";
        QTest::newRow("16384 x 16384 frame") << QByteArray("GIF89a\1\0\1\0\0\0\0\x2C\0\0\0\0\0\x40\0\x40\0\2\0\x3B", 26)
                                             << "it declares a frame of 16384 x 16384 pixels, more than 4 megapixels";
        QTest::newRow("2048 x 2048") << QByteArray("GIF89a\0\x08\0\x08\0\0\0", 13) << "it is damaged: the picture data ends early";
        QTest::newRow("2049 x 2048") << QByteArray("GIF89a\1\x08\0\x08\0\0\0", 13)
                                     << "it declares a picture of 2049 x 2048 pixels, more than 4 megapixels";
    }

    void gifChecks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cause);
        QCOMPARE(QString::fromStdString(GifDamage(bytes.toStdString()).value_or("")), cause);
    }

    // Wherever a picture is cut inside its data, the cut is found.
    void everyCutIsFound()
    {
        const std::string bytes = shipped("hir/ky-/o.gif").toStdString();
        for (std::size_t length = 0; length + 1 < bytes.size(); ++length)
            QVERIFY2(GifDamage(bytes.substr(0, length)), qPrintable(QString::number(length)));
    }

    // The shipped data: 101 names in table order, 202 pictures that fit the
    // kana window even beside the small tsu, each with a sharp twin at twice
    // the size.
    void shippedData()
    {
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        const char* names[] = {"a", "shi", "tsu", "fu", "yu", "wo", "n", "ji", "cha", "jo", "pyo"};
        const std::pair<std::size_t, std::size_t> places[] = {{0, 0}, {2, 1}, {3, 2}, {5, 2}, {7, 1}, {kWSet, 1},
                                                              {kNSet, 0}, {13, 1}, {18, 0}, {23, 2}, {25, 2}};
        for (std::size_t i = 0; i < std::size(places); ++i)
            QCOMPARE(catalogue.symbol(places[i].first, places[i].second).name, names[i]);
        int pictures = 0;
        for (std::size_t s = 0; s < kSetCount; ++s) {
            for (std::size_t m = 0; m < catalogue.memberCount(s); ++m) {
                for (Script script : {Script::Katakana, Script::Hiragana}) {
                    const QString path = QString::fromStdString(catalogue.picture(s, m, script));
                    const QImage image(path);
                    QVERIFY2(image.width() >= 30 && image.width() <= 69 && image.height() >= 30 && image.height() <= 56,
                             qPrintable(path));
                    QCOMPARE(QImage(path.chopped(4) + "@2x.gif").size(), image.size() * 2);
                    ++pictures;
                }
            }
        }
        QCOMPARE(pictures, 202);
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
