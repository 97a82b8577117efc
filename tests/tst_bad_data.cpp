// Damaged data folders against the real start-up and the real presentation:
// whatever is wrong with a data file, the learner is told once which file and
// why, and never sees a half-loaded quiz or a half-drawn kana.

#include "catalogue/kana_catalogue.h"
#include "catalogue/loaders.h"
#include "data_folder.h"
#include "form_harness.h"
#include "windows/startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

const QString kShipped = QStringLiteral(QUELVANE_SHIPPED_DATA);
const QString kFixtures = QStringLiteral(QUELVANE_FIXTURES);

struct ListFile {
    const char* relative;
    int needed; // entries the loaders take from it
};

constexpr ListFile kListFiles[] = {
    {"kat/symbols.txt", 101}, {"kat/stdpaths.txt", 5}, {"kat/yayuyo.txt", 3},
    {"hir/stdpaths.txt", 5},  {"hir/yayuyo.txt", 3},
};

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kLongEntryBytes = 100 * kMiB;
// Reading a 100 MB entry, or decoding a 3000 x 3000 picture, would take far
// more than this; building a window and reading the list files takes far less.
constexpr qint64 kMemoryBudget = 24 * kMiB;

QByteArray shippedBytes(const QString& relative)
{
    QFile f(kShipped + "/" + relative);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the shipped %s", qPrintable(relative));
    return f.readAll();
}

// The shipped list files hold one entry a line.
QByteArrayList shippedLines(const QString& relative)
{
    QByteArrayList lines = shippedBytes(relative).split('\n');
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray joinedLines(const QByteArrayList& lines, const QByteArray& lineEnd = "\n")
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + lineEnd;
    return bytes;
}

QByteArray withoutQuotes(QByteArray entry)
{
    return entry.replace('"', QByteArray());
}

// Random bytes of every value. The first entry is sure to hold a NUL so that
// the cause is known; the rest is left to chance (with a fixed seed).
QByteArray binaryGarbage()
{
    QRandomGenerator generator(20240613);
    QByteArray bytes(4096, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator.bounded(256));
    bytes[0] = '\0';
    bytes[40] = '\n';
    return bytes;
}

// Written a mebibyte at a time, so that the test itself never holds the
// whole entry in memory.
void writeLongEntry(const QString& path, const QByteArray& opening)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(f.write(opening) == opening.size());
    const QByteArray chunk(kMiB, 'x');
    while (f.size() + chunk.size() <= kLongEntryBytes)
        QVERIFY(f.write(chunk) == chunk.size());
    QVERIFY(f.write(QByteArray(kLongEntryBytes - f.size(), 'x')) >= 0);
    f.close();
    QCOMPARE(QFileInfo(path).size(), kLongEntryBytes);
}

// A number from one of the kernel's "key: value" files about this process.
qint64 procField(const char* file, const char* field)
{
    QFile status(QString::fromLatin1(file));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

qint64 statusKiB(const char* field)
{
    return procField("/proc/self/status", field);
}

// Every byte this process has read from files so far: the direct witness
// that a file was, or was not, read to its end.
qint64 bytesReadSoFar()
{
    return procField("/proc/self/io", "rchar");
}

// Measures how far the peak resident memory rises above the present use
// while it is alive. Linux lets a process reset its own peak through
// clear_refs; without that the peak of earlier work would hide the growth.
class PeakMemory {
public:
    PeakMemory()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        available_ = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
        clear.close();
        start_ = statusKiB("VmRSS") * 1024;
        available_ = available_ && start_ > 0 && statusKiB("VmHWM") * 1024 <= start_ + kMiB;
    }
    bool available() const { return available_; }
    qint64 growth() const { return statusKiB("VmHWM") * 1024 - start_; }

private:
    bool available_ = false;
    qint64 start_ = 0;
};

// The program's own start-up on a data folder, its messages recorded.
struct Startup {
    quiz::RandomSource random{11};
    MessageLog messages;
    std::unique_ptr<windows::Form1> form;
    qint64 milliseconds = 0;

    explicit Startup(const std::filesystem::path& programFolder)
    {
        QElapsedTimer timer;
        timer.start();
        form = windows::StartQuelvane(programFolder, random, messages.box());
        milliseconds = timer.elapsed();
    }
};

bool anyMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<windows::Form1*>(widget))
            return true;
    }
    return false;
}

// No window, one message naming the file and the cause.
void verifyRefused(const Startup& run, const QString& file, const QString& cause)
{
    QVERIFY(!run.form);
    QVERIFY(!anyMainWindow());
    QCOMPARE(run.messages.texts.size(), 1);
    const QString& text = run.messages.texts.front();
    QVERIFY2(text.contains(QDir::toNativeSeparators(file)), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(cause)), qPrintable(text + "\nexpected cause: " + cause));
}

enum class ListDamage { Replace, Missing, Folder };
enum class PictureDamage { Missing, Empty, Truncated, PngNamedGif, Text, Folder, Huge };

enum class Column { Katakana, Hiragana };

struct PictureTarget {
    const char* name;
    Column column;
    int set;
    QStringList files;
};

const PictureTarget kPictureTargets[] = {
    {"katakana N-", Column::Katakana, 10, {"kat/n.gif"}},
    {"hiragana N-", Column::Hiragana, 10, {"hir/n.gif"}},
    {"hiragana Y row", Column::Hiragana, 7, {"hir/y-/a.gif", "hir/y-/u.gif", "hir/y-/o.gif"}},
};

void damagePicture(const DataFolderCopy& data, const QString& relative, PictureDamage damage)
{
    const QString path = data.file(relative);
    data.remove(relative);
    switch (damage) {
    case PictureDamage::Missing:
        break;
    case PictureDamage::Empty:
        data.write(relative, {});
        break;
    case PictureDamage::Truncated: {
        const QByteArray whole = shippedBytes(relative);
        const QByteArray half = whole.left(whole.size() / 2);
        QVERIFY(half.startsWith("GIF8"));
        data.write(relative, half);
        break;
    }
    case PictureDamage::PngNamedGif: {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(8, 8, 24, 24, Qt::black);
        QVERIFY(image.save(path, "PNG"));
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), QByteArray("png"));
        break;
    }
    case PictureDamage::Text:
        data.write(relative, "This file holds a kana's name, not its picture.\n");
        break;
    case PictureDamage::Folder:
        QVERIFY(QDir().mkpath(path));
        break;
    case PictureDamage::Huge:
        QVERIFY(QFile::copy(kFixtures + "/huge.gif", path));
        break;
    }
}

void restorePicture(const DataFolderCopy& data, const QString& relative)
{
    data.remove(relative);
    QVERIFY(QFile::copy(kShipped + "/" + relative, data.file(relative)));
}

} // namespace

Q_DECLARE_METATYPE(ListDamage)
Q_DECLARE_METATYPE(PictureDamage)

class BadDataTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        windows::ConfigureApplication(*qApp);
        // The first window pays for fonts and styles; the timed start-ups
        // below should measure the loading alone.
        const DataFolderCopy data;
        const Startup warmUp(data.path());
        QVERIFY(warmUp.form);
    }

    // The untouched copy starts without a word, so every refusal below comes
    // from the damage alone.
    void untouchedCopyStarts()
    {
        const DataFolderCopy data;
        const Startup run(data.path());
        QVERIFY(run.form);
        QVERIFY(run.messages.texts.isEmpty());
    }

    void damagedListFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<ListDamage>("damage");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("cause");

        for (const ListFile& list : kListFiles) {
            const QString file = QString::fromLatin1(list.relative);
            const QByteArrayList lines = shippedLines(file);
            QVERIFY(lines.size() >= list.needed);
            const QString needed = QString::number(list.needed);
            auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s %s", list.relative, what); };

            row("missing") << file << ListDamage::Missing << QByteArray() << QString("not found");
            row("folder") << file << ListDamage::Folder << QByteArray() << QString("folder");
            row("empty") << file << ListDamage::Replace << QByteArray() << "holds 0 entries, " + needed + " needed";
            row("one entry short") << file << ListDamage::Replace << joinedLines(lines.first(list.needed - 1))
                                   << QString("holds %1 entr(y|ies), %2 needed").arg(list.needed - 1).arg(list.needed);
            row("only blank lines") << file << ListDamage::Replace << QByteArray(" \n\t\r\n\n")
                                    << "holds 0 entries, " + needed + " needed";
            row("binary garbage") << file << ListDamage::Replace << binaryGarbage()
                                  << QString("entry 1 cannot be read: it holds binary data");

            QByteArrayList stray = lines;
            stray[1].insert(1, "\xFF");
            row("stray byte in entry 2") << file << ListDamage::Replace << joinedLines(stray)
                                         << QString("entry 2 cannot be read: it is not UTF-8 text");
            QByteArrayList cut = lines;
            cut[1].insert(1, "\xE3\x81");
            row("UTF-8 sequence cut short in entry 2") << file << ListDamage::Replace << joinedLines(cut)
                                                       << QString("entry 2 cannot be read: it is not UTF-8 text");
            QByteArrayList overlong = lines;
            overlong[1].insert(1, "\xC0\xAF");
            row("overlong UTF-8 in entry 2") << file << ListDamage::Replace << joinedLines(overlong)
                                             << QString("entry 2 cannot be read: it is not UTF-8 text");

            QByteArrayList unclosed = lines;
            unclosed[1] = '"' + withoutQuotes(unclosed[1]);
            row("quote never closed in entry 2") << file << ListDamage::Replace << joinedLines(unclosed)
                                                 << QString("entry 2 cannot be read: its closing double quote is missing");
            QByteArray unclosedAtEnd = joinedLines(lines.first(list.needed - 1));
            unclosedAtEnd += '"' + withoutQuotes(lines[list.needed - 1]);
            row("quote never closed at the end") << file << ListDamage::Replace << unclosedAtEnd
                                                 << "entry " + needed + " cannot be read: its closing double quote is missing";
        }
    }

    void damagedListFile()
    {
        QFETCH(QString, file);
        QFETCH(ListDamage, damage);
        QFETCH(QByteArray, contents);
        QFETCH(QString, cause);

        const DataFolderCopy data;
        data.remove(file);
        switch (damage) {
        case ListDamage::Missing:
            break;
        case ListDamage::Folder:
            QVERIFY(QDir().mkpath(data.file(file)));
            break;
        case ListDamage::Replace:
            data.write(file, contents);
            break;
        }

        const Startup run(data.path());
        verifyRefused(run, data.file(file), cause);
    }

    // A file with no separator at all must not be read whole: the reader
    // gives up at its bound on the length of an entry.
    void entryOf100MB_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("opening");
        for (const ListFile& list : kListFiles) {
            QTest::addRow("%s plain", list.relative) << QString::fromLatin1(list.relative) << QByteArray();
            QTest::addRow("%s quoted", list.relative) << QString::fromLatin1(list.relative) << QByteArray("\"");
        }
    }

    void entryOf100MB()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, opening);

        const DataFolderCopy data;
        writeLongEntry(data.file(file), opening);
        if (QTest::currentTestFailed())
            return;

        const qint64 readBefore = bytesReadSoFar();
        const PeakMemory peak;
        const Startup run(data.path());
        const qint64 growth = peak.growth();
        const qint64 read = bytesReadSoFar() - readBefore;

        verifyRefused(run, data.file(file), "entry 1 cannot be read: it is longer than \\d+ bytes");
        QVERIFY2(run.milliseconds < 1000, qPrintable(QString("start-up took %1 ms").arg(run.milliseconds)));
        // Reading the whole file takes well under a second on a fast disk,
        // so the time alone proves little; the bytes read prove it.
        if (readBefore >= 0)
            QVERIFY2(read < kMiB, qPrintable(QString("start-up read %1 bytes").arg(read)));
        if (!peak.available())
            QSKIP("this system cannot reset the peak memory of a process; only the time was checked");
        QVERIFY2(growth < kMemoryBudget, qPrintable(QString("peak memory grew by %1 MiB").arg(growth / kMiB)));
    }

    // Text editors write these; the data must load exactly as if they were
    // not there.
    void tolerableListFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        for (const ListFile& list : kListFiles) {
            const QString file = QString::fromLatin1(list.relative);
            const QByteArrayList lines = shippedLines(file);
            QTest::addRow("%s byte-order mark", list.relative) << file << "\xEF\xBB\xBF" + joinedLines(lines);
            QTest::addRow("%s CRLF", list.relative) << file << joinedLines(lines, "\r\n");
            QTest::addRow("%s byte-order mark and CRLF", list.relative) << file << "\xEF\xBB\xBF" + joinedLines(lines, "\r\n");
            QTest::addRow("%s CRLF, no final line end", list.relative) << file << joinedLines(lines, "\r\n").chopped(2);
        }
    }

    void tolerableListFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);

        const DataFolderCopy data;
        data.write(file, contents);
        const Startup run(data.path());
        QVERIFY(run.form);
        QCOMPARE(run.messages.texts, QStringList());

        // Same names and the same pictures as the shipped data, entry by entry.
        const std::string copyFolder = data.path().string();
        const std::string shippedFolder = std::filesystem::path(QUELVANE_SHIPPED_DATA).string();
        const catalogue::KanaCatalogue loaded = catalogue::LoadCatalogue(data.path());
        const catalogue::KanaCatalogue shipped = catalogue::LoadCatalogue(QUELVANE_SHIPPED_DATA);
        for (std::size_t s = 0; s < catalogue::kSetCount; ++s) {
            for (std::size_t m = 0; m < shipped.memberCount(s); ++m) {
                const catalogue::KanaSymbol& got = loaded.symbol(s, m);
                const catalogue::KanaSymbol& want = shipped.symbol(s, m);
                QCOMPARE(got.name, want.name);
                QCOMPARE(got.katakanaPicture.substr(copyFolder.size()), want.katakanaPicture.substr(shippedFolder.size()));
                QCOMPARE(got.hiraganaPicture.substr(copyFolder.size()), want.hiraganaPicture.substr(shippedFolder.size()));
            }
        }

        // And the window started on it shows kana from the rows that use
        // the file.
        windows::Form1& form = *run.form;
        const QString column = file == "kat/symbols.txt" ? "Command9" : file.startsWith("kat/") ? "Command2" : "Command7";
        form.findChild<QPushButton*>(column)->click();
        auto* display = form.findChild<QPushButton*>("Command1");
        auto* kana = form.findChild<QLabel*>("imgKana");
        auto* answer = form.findChild<QLineEdit*>("txtKananame");
        for (int press = 0; press < 100; ++press) {
            display->click();
            QCOMPARE(run.messages.texts, QStringList());
            QVERIFY(!kana->pixmap().isNull());
            QVERIFY(!answer->text().isEmpty());
            QCOMPARE(answer->text(), QString::fromStdString(form.state().answer));
        }
    }

    void damagedPicture_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<PictureDamage>("damage");
        QTest::addColumn<QString>("cause");
        const struct {
            const char* name;
            PictureDamage damage;
            const char* cause;
        } damages[] = {
            {"missing", PictureDamage::Missing, "not found"},
            {"empty", PictureDamage::Empty, "not a GIF picture"},
            // Whatever words the cause takes, the decoder's "unknown error"
            // tells the learner nothing.
            {"first half of a GIF", PictureDamage::Truncated, "cannot be shown: (?!unknown error)\\S"},
            {"PNG named .gif", PictureDamage::PngNamedGif, "not a GIF picture"},
            {"text named .gif", PictureDamage::Text, "not a GIF picture"},
            {"folder named .gif", PictureDamage::Folder, "folder"},
            {"3000 x 3000 pixels", PictureDamage::Huge, "3000 x 3000 pixels, larger than the kana window"},
        };
        for (int t = 0; t < int(std::size(kPictureTargets)); ++t) {
            for (const auto& d : damages)
                QTest::addRow("%s, %s", kPictureTargets[t].name, d.name) << t << d.damage << QString(d.cause);
        }
    }

    void damagedPicture()
    {
        QFETCH(int, target);
        QFETCH(PictureDamage, damage);
        QFETCH(QString, cause);
        const PictureTarget& t = kPictureTargets[target];

        const DataFolderCopy data;
        for (const QString& file : t.files) {
            damagePicture(data, file, damage);
            if (QTest::currentTestFailed())
                return;
        }

        FormHarness h(data.path());
        QCheckBox* box = t.column == Column::Katakana ? h.katakana(t.set) : h.hiragana(t.set);
        auto* kana = h.find<QLabel>("imgKana");
        h.check("TestMode")->setChecked(true);

        // A good kana first, so that an empty picture area means the damaged
        // one cleared it.
        h.katakana(0)->setChecked(true);
        h.button("Command1")->click();
        QVERIFY(!kana->pixmap().isNull());
        h.katakana(0)->setChecked(false);
        box->setChecked(true);

        const PeakMemory peak;
        h.button("Command1")->click();
        const qint64 growth = peak.growth();

        QCOMPARE(h.messages().texts.size(), 1);
        const QString& text = h.messages().texts.front();
        bool namesAFile = false;
        for (const QString& file : t.files)
            namesAFile = namesAFile || text.contains(QDir::toNativeSeparators(data.file(file)));
        QVERIFY2(namesAFile, qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(cause)), qPrintable(text + "\nexpected cause: " + cause));
        QVERIFY(kana->pixmap().isNull());
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        QVERIFY(!h.state().kanaOnDisplay);
        QVERIFY(h.state().answer.empty());
        QCOMPARE(h.form().cursor().shape(), Qt::ArrowCursor);
        if (peak.available())
            QVERIFY2(growth < kMemoryBudget, qPrintable(QString("peak memory grew by %1 MiB").arg(growth / kMiB)));

        // The program goes on: once the picture is mended the next press
        // shows a kana.
        for (const QString& file : t.files)
            restorePicture(data, file);
        h.button("Command1")->click();
        QCOMPARE(h.messages().texts.size(), 1);
        QVERIFY(!kana->pixmap().isNull());
        QVERIFY(h.button("cmdcheck")->isEnabled());
        QVERIFY(h.state().kanaOnDisplay);
        QVERIFY(!h.state().answer.empty());
    }
};

QTEST_MAIN(BadDataTest)
#include "tst_bad_data.moc"
