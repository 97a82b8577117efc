// The core without the windows: the list-file reader, the loaders, the
// checks made before a picture is decoded, the data folder the program
// ships; chance with a seeded generator, the choice of the next kana, how a
// kana is presented, and the score.

#include "catalogue/entry_reader.h"
#include "catalogue/gif_structure.h"
#include "catalogue/list_file.h"
#include "catalogue/load_error.h"
#include "catalogue/loaders.h"
#include "catalogue/picture_format.h"
#include "quiz/presentation.h"
#include "quiz/random_source.h"
#include "quiz/score.h"
#include "quiz/selection.h"
#include "tests/support/test_data.h"

#include <QStringDecoder>
#include <QTest>

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>
#include <map>
#include <numeric>
#include <sstream>
#include <tuple>

using namespace catalogue;
using namespace quiz;
namespace fs = std::filesystem;

namespace {

QStringList ReadEntries(const QByteArray& text)
{
    std::istringstream in(text.toStdString());
    EntryReader reader(*in.rdbuf());
    QStringList entries;
    try {
        // Decoded with any byte-order mark kept, as the reader hands it on.
        while (auto entry = reader.next())
            entries << QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(QByteArray::fromStdString(*entry));
    } catch (const EntryError& error) {
        entries << QString::fromStdString(error.what());
    }
    return entries;
}


constexpr int kDraws = 20000;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Within five standard deviations of the binomial mean.
bool AboutShare(int hits, int draws, double share)
{
    const double mean = draws * share;
    return std::abs(hits - mean) <= 5 * std::sqrt(draws * share * (1 - share));
}

} // namespace

class CoreTest : public QObject {
    Q_OBJECT
    const KanaCatalogue catalogue_ = LoadCatalogue(QUELVANE_SHIPPED_DATA);

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
                                                 << QStringList{"a", QChar(0xFEFF) + QString("i")};
        QTest::newRow("part of a mark kept") << QByteArray("\xEF" "a,b") << QStringList{QChar(0xFFFD) + QString("a"), "b"};
        QTest::newRow("longest entry before CRLF") << QByteArray(1024, 'x') + "\r\ny"
                                                   << QStringList{QString(1024, 'x'), "y"};
        QTest::newRow("only blanks") << QByteArray(" \r\n\n\t\r") << QStringList{};
        QTest::newRow("quote never closed") << QByteArray("a,\"b") << QStringList{"a", "entry 2 cannot be read: its closing double quote is missing"};
        QTest::newRow("quote broken by a lone CR") << QByteArray("\"a\rb\"") << QStringList{"entry 1 cannot be read: its closing double quote is missing"};
        QTest::newRow("entry too long") << QByteArray(1025, 'x') << QStringList{"entry 1 cannot be read: it is longer than 1024 bytes"};
        QTest::newRow("1024 blanks, then an entry") << QByteArray(1024, '\n') + "a" << QStringList{"a"};
        QTest::newRow("1025 blanks") << "a," + QByteArray(1025, ' ') + "b" << QStringList{"a", "entry 2 cannot be read: more than 1024 blank bytes stand before it"};
        QTest::newRow("1024 bytes after a closing quote") << "\"a\"" + QByteArray(1024, '\0') + ",b" << QStringList{"a", "b"};
        QTest::newRow("1025 bytes after a closing quote") << "\"a\"" + QByteArray(1025, '\0') << QStringList{"entry 1 cannot be read: more than 1024 bytes follow its closing double quote"};
        const QString utf16 = "it is written in UTF-16 (what Windows calls \"Unicode\"); list files are read as UTF-8 or Windows-1252, so save it again as UTF-8";
        QTest::newRow("UTF-16, little-endian") << QByteArray("\xFF\xFE" "a\0,\0", 6) << QStringList{utf16};
        QTest::newRow("UTF-16, big-endian") << QByteArray("\xFE\xFF\0a", 4) << QStringList{utf16};
        QTest::newRow("a lone FF kept") << QByteArray("\xFF" "a") << QStringList{QChar(0xFFFD) + QString("a")};
    }

    void entries()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        QCOMPARE(ReadEntries(text), expected);
    }

    // Lists written on an older system are in its Windows code page; a file
    // that is UTF-8 throughout is read as UTF-8.
    void textEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("UTF-8") << QByteArray("\xC5\x8D,\xE2\x82\xAC\xE0\xA0\x80\xF4\x8F\xBF\xBF,\xC3\x80\xDF\xBF") << QStringList{"ō", "€\u0800\U0010FFFF", "À\u07FF"};
        QTest::newRow("Windows-1252") << QByteArray("\xE9,\x80,\x9F\x81") << QStringList{"é", "€", "Ÿ\u0081"};
        QTest::newRow("one byte that is not UTF-8") << QByteArray("\xC3\xA9,a\xFF,a") << QStringList{"Ã©", "aÿ", "a"};
        QTest::newRow("a surrogate, not UTF-8") << QByteArray("\xED\xA0\x80,\xF4\x90\x80\x80,a") << QStringList{"í\u00A0€", "ô\u0090€€", "a"};
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

    // Names stand in set order, the Y row between M and R and N- between W
    // and G, from the katakana list only, as many as the sets hold; the
    // shipped list is in that order.
    void namesStandInSetOrder()
    {
        QByteArrayList names;
        for (int i = 1; i <= 101; ++i)
            names << "n" + QByteArray::number(i);
        DataFolderCopy data;
        data.write("kat/symbols.txt", names.join(',') + ",extra,\"more, still\"\r\n");
        data.write("hir/symbols.txt", "never read");
        const KanaCatalogue numbered = LoadCatalogue(data.path());
        const std::tuple<std::size_t, std::size_t, int, const char*> places[] = {
            {0, 0, 1, "a"},      {2, 1, 12, "shi"},   {3, 2, 18, "tsu"},   {5, 2, 28, "fu"},  {7, 0, 36, "ya"},
            {7, 2, 38, "yo"},    {kWSet, 0, 44, "wa"}, {kWSet, 1, 45, "wo"}, {kNSet, 0, 46, "n"}, {11, 0, 47, "ga"},
            {13, 1, 58, "ji"},   {18, 0, 78, "cha"},  {23, 2, 95, "jo"},   {25, 2, 101, "pyo"}};
        for (const auto& [set, member, number, shipped] : places) {
            QCOMPARE(numbered.symbol(set, member).name, "n" + std::to_string(number));
            QCOMPARE(catalogue_.symbol(set, member).name, std::string(shipped));
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
        QCOMPARE(path(7, 2, Script::Katakana), expected("kat/y-/ky3.gif"));
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
        fs::create_directories(bin);
        QVERIFY_THROWS_EXCEPTION(LoadError, FindDataFolder(bin)); // nowhere (the message: tst_program)
        fs::create_directories(bin / "../share/quelvane/kat");
        QCOMPARE(fs::canonical(FindDataFolder(bin)), fs::canonical(bin / "../share/quelvane"));
        std::error_code noLinks; // on Windows, where a program may not make links, a file stands in
        fs::create_symlink("/nonexistent", bin / "kat", noLinks); // broken, but it is what was meant
        if (noLinks)
            std::ofstream(bin / "kat").put('x');
        QCOMPARE(FindDataFolder(bin), bin);
    }

    // The structure of each format the program shows, checked before the
    // toolkit reads it: the whole picture, its size, what it holds beside it.
    void pictureChecks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause"); // empty: shown
        const QString endsEarly = "it is damaged: the picture data ends early";
        QTest::newRow("GIF holding no picture") << QByteArray("GIF89a\1\0\1\0\0\0\0\x3B", 14) << "it is damaged: it holds no picture";
        QTest::newRow("GIF with an unknown block") << QByteArray("GIF89a\1\0\1\0\0\0\0\x99\x3B", 15)
                                                   << "it is damaged: an unknown block stands in it";
        QTest::newRow("GIF of 2048 x 2048") << QByteArray("GIF89a\0\x08\0\x08\0\0\0", 13) << endsEarly;
        QTest::newRow("GIF of 2049 x 2048") << QByteArray("GIF89a\1\x08\0\x08\0\0\0", 13)
                                            << "it declares a picture of 2049 x 2048 pixels, more than 4 megapixels";
        QTest::newRow("GIF of 0 x 65280") << QByteArray("GIF89a\0\0\0\xFF\0\0\0", 13) << "it declares a picture of 0 x 65280 pixels, which holds nothing to show";
        const QByteArray png = EncodedPicture({30, 20}, "PNG");
        QTest::newRow("PNG") << png << "";
        QTest::newRow("PNG without its end") << png.chopped(12) << endsEarly;
        QTest::newRow("PNG of 0 x 20") << QByteArray(png).replace(16, 4, QByteArray(4, '\0')) << "it declares a picture of 0 x 20 pixels, which holds nothing to show";
        QTest::newRow("PNG of 3000 x 2000") << QByteArray(png).replace(16, 8, QByteArray("\0\0\x0B\xB8\0\0\x07\xD0", 8)) << "it declares a picture of 3000 x 2000 pixels, more than 4 megapixels";
        QTest::newRow("PNG without its header") << png.left(8) + png.mid(33) << "it is damaged: its header is missing";
        QTest::newRow("PNG with 8 KiB of compressed text") << PngWithChunk("zTXt", 8192) << "";
        QTest::newRow("PNG with 8 KiB + 1 of colour profile") << PngWithChunk("iCCP", 8193) << "it holds 8193 bytes of compressed text or colour profile beside the picture, more than 8192";
        QTest::newRow("PNG with 1 MiB + 1 of text") << PngWithChunk("tEXt", (1 << 20) + 1) << "it holds 1048577 bytes of text and other data beside the picture, more than 1048576";
        QTest::newRow("PNG with 64 chunks beside, 63 of them empty") << QByteArray(png).insert(33, PngWithChunk("abCd", 0).mid(33, 12).repeated(63)) << "";
        QTest::newRow("PNG with 65 empty texts") << QByteArray(png).insert(33, PngWithChunk("tEXt", 0).mid(33, 12).repeated(65)) << "it holds more than 64 pieces of text and other data beside the picture";
        QTest::newRow("PNG chunk past the end") << PngWithChunk("tEXt", 100).chopped(100) << endsEarly;
        const QByteArray jpeg = EncodedPicture({40, 36}, "JPEG");
        const qsizetype frame = jpeg.indexOf("\xFF\xC0");
        QTest::newRow("JPEG") << jpeg << "";
        QTest::newRow("JPEG without its end") << jpeg.chopped(2) << endsEarly;
        QTest::newRow("JPEG without a scan") << jpeg.left(jpeg.indexOf("\xFF\xDA")) + "\xFF\xD9" << "it is damaged: it holds no picture";
        QTest::newRow("JPEG of 40 x 0") << QByteArray(jpeg).replace(frame + 5, 2, QByteArray(2, '\0')) << "it declares a picture of 40 x 0 pixels, which holds nothing to show";
        QTest::newRow("lossless JPEG") << QByteArray(jpeg).replace(frame + 1, 1, "\xC3") << "it is a kind of JPEG picture (lossless or hierarchical) this program cannot show";
        QTest::newRow("JPEG of two frames") << QByteArray(jpeg).insert(frame, jpeg.mid(frame, 19)) << "it is damaged: it holds two frames";
        QTest::newRow("JPEG with an empty comment and a stray restart") << QByteArray(jpeg).insert(2, QByteArray("\xFF\xFE\0\x02\xFF\xD7", 6)) << "";
        QTest::newRow("JPEG segment of length 1") << QByteArray(jpeg).insert(2, QByteArray("\xFF\xFE\0\x01\xFF\xFE\0\x02", 8)) << endsEarly;
        QTest::newRow("JPEG with 64 segments beside, 63 of them empty") << QByteArray(jpeg).insert(20, QByteArray("\xFF\xFE\0\x02\xFF\xE1\0\x02", 8).repeated(31) + QByteArray("\xFF\xFE\0\x02", 4)) << "";
        QTest::newRow("JPEG with 65 empty comments") << QByteArray(jpeg).insert(20, QByteArray("\xFF\xFE\0\x02", 4).repeated(65)) << "it holds more than 64 pieces of text and other data beside the picture";
        QTest::newRow("progressive JPEG of 64 scans") << EncodedPicture({40, 36}, "JPEG", 64) << "";
        QTest::newRow("progressive JPEG of 65 scans") << EncodedPicture({40, 36}, "JPEG", 65) << "it holds more than 64 scans, each a pass over the whole picture";
        QTest::newRow("JPEG with 17 comments of 64 KiB") << QByteArray(jpeg).insert(2, ("\xFF\xFE\xFF\xFF" + QByteArray(0xFFFD, ' ')).repeated(17)) << "it holds 1114095 bytes of text and other data beside the picture, more than 1048576";
        const QByteArray bmp = EncodedPicture({30, 20}, "BMP");
        QTest::newRow("BMP") << bmp << "";
        QTest::newRow("BMP cut short") << bmp.chopped(1) << endsEarly;
        QTest::newRow("BMP of 30 x -20") << QByteArray(bmp).replace(22, 4, QByteArray("\xEC\xFF\xFF\xFF", 4)) << "";
        QTest::newRow("BMP of 30 x -2147483648") << QByteArray(bmp).replace(22, 4, QByteArray("\0\0\0\x80", 4)) << "it declares a picture of 30 x 2147483648 pixels, more than 4 megapixels";
        QTest::newRow("BMP of 0 x 20") << QByteArray(bmp).replace(18, 4, QByteArray(4, '\0')) << "it declares a picture of 0 x 20 pixels, which holds nothing to show";
        for (const int headerSize : {108, 124}) { // the version 4 and 5 headers
            QByteArray newer = QByteArray(bmp).insert(54, QByteArray(headerSize - 40, '\0'));
            newer[14] = char(headerSize);
            newer[10] = char(54 + headerSize - 40); // where the pixels start
            QTest::newRow(qPrintable(QString("BMP of a header of %1 bytes").arg(headerSize))) << newer << "";
        }
        QTest::newRow("BMP of a header of 20 bytes") << QByteArray(bmp).replace(14, 1, "\x14") << "it is a kind of BMP picture this program cannot show";
        QTest::newRow("BMP of the oldest kind, 3 x 0") << QByteArray("BM\0\0\0\0\0\0\0\0\x1A\0\0\0\x0C\0\0\0\3\0\0\0\1\0\x18\0", 26) << "it declares a picture of 3 x 0 pixels, which holds nothing to show";
        QTest::newRow("BMP holding a PNG") << QByteArray(bmp).replace(30, 1, "\5") << "it is a kind of BMP picture this program cannot show";
        QTest::newRow("icon") << QByteArray("\0\0\1\0\1\0", 6) << "it is not a picture in a format this program can show (GIF, JPEG, PNG or BMP)";
    }

    void pictureChecks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cause);
        QCOMPARE(QString::fromStdString(PictureDamage(bytes.toStdString()).value_or("")), cause);
    }

    // Wherever a picture is cut inside its data, the cut is found.
    void everyCutIsFound()
    {
        const std::string bytes = ReadFile(QUELVANE_SHIPPED_DATA "/hir/ky-/o.gif").toStdString();
        for (std::size_t length = 0; length + 1 < bytes.size(); ++length)
            QVERIFY2(GifDamage(bytes.substr(0, length)), qPrintable(QString::number(length)));
    }

    // The shipped pictures fit the kana window even beside the small tsu,
    // each with a sharp twin at twice the size.
    void shippedPicturesFitBesideTheSmallTsuWithSharpTwins()
    {
        for (std::size_t s = 0; s < kSetCount; ++s) {
            for (std::size_t m = 0; m < catalogue_.memberCount(s); ++m) {
                for (Script script : {Script::Katakana, Script::Hiragana}) {
                    const QString path = QString::fromStdString(catalogue_.picture(s, m, script));
                    const QImage image(path);
                    QVERIFY2(image.width() >= 30 && image.width() <= 69 && image.height() >= 30 && image.height() <= 56,
                             qPrintable(path));
                    QCOMPARE(QImage(path.chopped(4) + "@2x.gif").size(), image.size() * 2);
                }
            }
        }
    }

    void randomIntIsEvenOverItsRange()
    {
        RandomSource random(1);
        std::array<int, 26> counts{};
        for (int i = 0; i < kDraws; ++i) {
            const int r = random.RandomInt(0, 25);
            QVERIFY(r >= 0 && r <= 25);
            ++counts[static_cast<std::size_t>(r)];
        }
        for (int count : counts)
            QVERIFY(AboutShare(count, kDraws, 1.0 / 26));
    }

    // The lower bound narrows the outcomes; it is not added.
    void randomIntCountsFromZeroWhateverItsLowerBound()
    {
        RandomSource random(1);
        std::map<int, int> seen;
        for (int i = 0; i < 3000; ++i)
            ++seen[random.RandomInt(3, 5)];
        QCOMPARE(seen.size(), std::size_t{3});
        QCOMPARE(seen.begin()->first, 0);
        QCOMPARE(random.RandomInt(7, 7), std::int16_t{0});
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, random.RandomInt(5, 4));
    }

    void drawsOneAfterTheOtherAreIndependent()
    {
        RandomSource seeded; // the program's own seeding
        std::array<int, 4> pairs{};
        for (int i = 0; i < kDraws; ++i)
            ++pairs[static_cast<std::size_t>(seeded.RandomInt(0, 1) * 2 + seeded.RandomInt(0, 1))];
        for (int count : pairs)
            QVERIFY(AboutShare(count, kDraws, 0.25));
    }

    // Each row's share is worked out from the rows ticked: an even chance of
    // script when both columns have rows, an even chance of row within the
    // column, and a coin for doubling that only hiragana outside Basic and
    // N- may win.
    void drawsFollowTheSharesOfTheTickedRows_data()
    {
        QTest::addColumn<QList<int>>("katakanaRows");
        QTest::addColumn<QList<int>>("hiraganaRows");
        QTest::addColumn<double>("katakanaShare");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("nameShare");
        QTest::addColumn<double>("doubledShare");
        QList<int> all(26);
        std::iota(all.begin(), all.end(), 0);
        QTest::newRow("katakana only") << QList<int>{0, 1, 2} << QList<int>{} << 1.0 << "ka" << 1.0 / 15 << 0.0;
        QTest::newRow("hiragana only") << QList<int>{} << all << 0.0 << "n" << 1.0 / 26 << 0.5 * 24 / 26;
        QTest::newRow("both, balanced") << all << all << 0.5 << "n" << 1.0 / 26 << 0.25 * 24 / 26;
        QTest::newRow("one against twenty-five") << QList<int>{0} << all.mid(1) << 0.5 << "a" << 0.1 << 0.25 * 24 / 25;
        QTest::newRow("N- and K") << QList<int>{1, 10} << QList<int>{} << 1.0 << "n" << 0.5 << 0.0;
        QTest::newRow("W, of two members") << QList<int>{9} << QList<int>{} << 1.0 << "wo" << 0.5 << 0.0;
        QTest::newRow("hiragana Basic and N-") << QList<int>{} << QList<int>{0, 10} << 0.0 << "n" << 0.5 << 0.0;
        QTest::newRow("hiragana K") << QList<int>{} << QList<int>{1} << 0.0 << "ka" << 0.2 << 0.5;
    }

    void drawsFollowTheSharesOfTheTickedRows()
    {
        QFETCH(double, katakanaShare);
        QFETCH(QString, name);
        QFETCH(double, nameShare);
        QFETCH(double, doubledShare); // a share of 0 allows not one doubled draw
        QFETCH(QList<int>, katakanaRows);
        QFETCH(QList<int>, hiraganaRows);
        SetSelection selection;
        for (int row : katakanaRows)
            selection.katakana[static_cast<std::size_t>(row)] = true;
        for (int row : hiraganaRows)
            selection.hiragana[static_cast<std::size_t>(row)] = true;
        RandomSource random(4);
        QuizState state;
        int katakana = 0, named = 0, doubled = 0;
        for (int i = 0; i < kDraws; ++i) {
            const KanaChoice choice = ChooseNextKana(state, selection, catalogue_, random).value();
            QVERIFY((choice.script == Script::Katakana ? selection.katakana : selection.hiragana)[choice.setIndex]);
            katakana += choice.script == Script::Katakana ? 1 : 0;
            named += choice.name == name.toStdString() ? 1 : 0;
            doubled += choice.doubleRequested ? 1 : 0;
        }
        QVERIFY2(AboutShare(katakana, kDraws, katakanaShare), qPrintable(QString("katakana %1").arg(katakana)));
        QVERIFY2(AboutShare(named, kDraws, nameShare), qPrintable(QString("%1 %2").arg(name).arg(named)));
        QVERIFY2(AboutShare(doubled, kDraws, doubledShare), qPrintable(QString("doubled %1").arg(doubled)));
    }

    // The doubled name repeats its whole first character, when the coin
    // and the option both ask for it.
    void doubling()
    {
        const std::tuple<const char*, bool, bool, const char*> cases[] = {
            {"shi", true, true, "sshi"}, {"shi", true, false, "shi"}, {"shi", false, true, "shi"},
            {"ōka", true, true, "ōōka"}, {"𝑘a", true, true, "𝑘𝑘a"},   {"", true, true, ""}};
        for (const auto& [name, coin, option, answer] : cases) {
            const Presentation study = PlanPresentation(name, {720, 720}, false, coin, option);
            QCOMPARE(study.answer, std::string(answer));
            QCOMPARE(study.answerBoxText, std::string(answer));
            QCOMPARE(study.smallTsuLeft != kSmallTsuHidden, coin && option);
        }
    }

    void lessDuplicates()
    {
        QuizState state;
        state.answer = state.lastAnswer = "n";
        for (int i = 0; i < kMaxDuplicateRedraws; ++i) // the first chain too
            QVERIFY(ShouldRedrawDuplicate(state, true));
        QVERIFY(!ShouldRedrawDuplicate(state, true)); // bounded: the repeat is kept
        for (int i = 0; i < kMaxDuplicateRedraws; ++i) // and the next chain is as long
            QVERIFY(ShouldRedrawDuplicate(state, true));
        AbandonPresentation(state); // a picture not shown ends the chain
        state.answer = state.lastAnswer = "n";
        for (int i = 0; i < kMaxDuplicateRedraws; ++i)
            QVERIFY(ShouldRedrawDuplicate(state, true));
        state.answer = "kka";
        state.lastAnswer = "ka";
        QVERIFY(!ShouldRedrawDuplicate(state, true)); // doubled and plain differ
        state.lastAnswer = state.answer;
        QVERIFY(!ShouldRedrawDuplicate(state, false)); // and with the option off, never
    }

    // Exact ties (1/31, 23/137) round up, however a double would hold them.
    void percent()
    {
        const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
            {1, 0, "100.%"},   {0, 1, ".%"},      {2, 1, "66.67%"},  {1, 2, "33.33%"},    {3, 5, "37.5%"},
            {1, 199, ".5%"},   {1, 9999, ".01%"}, {1, 99999, ".%"},  {9999, 1, "99.99%"}, {19, 1, "95.%"},
            {1, 31, "3.13%"},  {23, 137, "14.38%"}, {kMax, kMax, "50.%"}};
        for (const auto& [correct, missed, text] : cases)
            QCOMPARE(PercentText(correct, missed), std::string(text));
    }

    void answerIsCheckedAsWrittenNotLowerCased()
    {
        QuizState state;
        state.answer = "Ka";
        state.kanaOnDisplay = true;
        QCOMPARE(CheckAnswer(state, "ka"), Verdict::Wrong);
    }

    void revealMovesOnlyAWholePoint()
    {
        QuizState state;
        state.answer = "Ka";
        state.correct = 5;
        state.missed = kMax;
        QCOMPARE(Reveal(state, true), std::string("Ka"));
        QCOMPARE(state.correct, 5);
    }

    void countsStopAtTheirLargestValue()
    {
        QuizState state;
        state.correct = kMax - 1;
        state.missed = kMax;
        CountCorrect(state);
        CountCorrect(state);
        CountMissed(state);
        QCOMPARE(state.correct, kMax);
        QCOMPARE(state.missed, kMax);
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "tst_core.moc"
