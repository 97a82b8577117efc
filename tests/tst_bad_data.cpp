// Damaged data folders against the real start-up and the real presentation:
// whatever is wrong with a data file, the learner is told once which file and
// why, and never sees a half-loaded quiz or a half-drawn kana.

#include "data_folder.h"
#include "form_harness.h"
#include "windows/startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kShipped = QStringLiteral(QUELVANE_SHIPPED_DATA);

struct ListFile {
    const char* relative;
    int needed; // entries the loaders take from it
};

constexpr ListFile kListFiles[] = {
    {"kat/symbols.txt", 101}, {"kat/stdpaths.txt", 5}, {"kat/yayuyo.txt", 3},
    {"hir/stdpaths.txt", 5},  {"hir/yayuyo.txt", 3},
};

constexpr qint64 kMiB = 1024 * 1024;

// The shipped list files hold one entry a line.
QByteArrayList shippedLines(const QString& relative)
{
    QFile f(kShipped + "/" + relative);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the shipped %s", qPrintable(relative));
    QByteArrayList lines = f.readAll().split('\n');
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray joined(const QByteArrayList& lines, const QByteArray& lineEnd = "\n")
{
    return lines.join(lineEnd) + lineEnd;
}

// Every byte this process has read from files so far: the witness that a
// file was, or was not, read to its end.
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// The program's own start-up on a data folder, its messages recorded.
struct Startup {
    quiz::RandomSource random{11};
    MessageLog messages;
    std::unique_ptr<windows::Form1> form;

    explicit Startup(const std::filesystem::path& programFolder)
        : form(windows::StartQuelvane(programFolder, random, messages.box()))
    {
    }
};

// No window, one message naming the file and the cause.
void verifyRefused(const Startup& run, const QString& file, const QString& cause)
{
    QVERIFY(!run.form);
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<windows::Form1*>(widget));
    QCOMPARE(run.messages.texts.size(), 1);
    const QString& text = run.messages.texts.front();
    QVERIFY2(text.contains(QDir::toNativeSeparators(file)), qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(cause)), qPrintable(text + "\nexpected cause: " + cause));
}

} // namespace

class BadDataTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { windows::ConfigureApplication(*qApp); }

    void damagedListFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents"); // "missing" and "folder" stand for themselves
        QTest::addColumn<QString>("cause");
        for (const ListFile& list : kListFiles) {
            const QString file = QString::fromLatin1(list.relative);
            const QByteArrayList lines = shippedLines(file);
            const QString needed = QString::number(list.needed);
            auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s %s", list.relative, what); };
            QByteArrayList invalid = lines;
            invalid[1].insert(1, "\xE3\x81");
            QByteArrayList unclosed = lines;
            unclosed[1] = '"' + unclosed[1].replace('"', "");

            row("missing") << file << QByteArray("missing") << "not found";
            row("folder") << file << QByteArray("folder") << "it is a folder, not a file";
            row("empty") << file << QByteArray() << "holds 0 entries, " + needed + " needed";
            row("only blank lines") << file << QByteArray(" \n\t\r\n\n") << "holds 0 entries, " + needed + " needed";
            row("one entry short") << file << joined(lines.first(list.needed - 1))
                                   << QString("holds %1 entr(y|ies), %2 needed").arg(list.needed - 1).arg(list.needed);
            row("binary garbage") << file << QByteArray("\0\x01\x9c\xff\x7f\n\x10", 7)
                                  << "entry 1 cannot be read: it holds binary data";
            row("invalid UTF-8") << file << joined(invalid) << "entry 2 cannot be read: it is not UTF-8 text";
            row("quote never closed") << file << joined(unclosed)
                                      << "entry 2 cannot be read: its closing double quote is missing";
        }
    }

    void damagedListFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, cause);
        const DataFolderCopy data;
        data.remove(file);
        if (contents == "folder")
            QVERIFY(QDir().mkpath(data.file(file)));
        else if (contents != "missing")
            data.write(file, contents);
        verifyRefused(Startup(data.path()), data.file(file), cause);
    }

    // A file with no separator at all is not read whole: the reader gives up
    // at its bound on the length of an entry.
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
        QFile f(data.file(file));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(opening);
        const QByteArray chunk(kMiB, 'x');
        for (int i = 0; i < 100; ++i)
            QCOMPARE(f.write(chunk), kMiB);
        f.close();

        const qint64 readBefore = bytesReadSoFar();
        QElapsedTimer timer;
        timer.start();
        const Startup run(data.path());
        QVERIFY(timer.elapsed() < 1000);
        // Reading 100 MB takes well under a second from the page cache, so
        // the time alone proves little; the bytes read prove it.
        if (readBefore >= 0)
            QVERIFY2(bytesReadSoFar() - readBefore < kMiB, "the file was read whole");
        verifyRefused(run, data.file(file), "entry 1 cannot be read: it is longer than \\d+ bytes");
    }

    // What text editors write: the data loads exactly as without it.
    void tolerableListFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        for (const ListFile& list : kListFiles) {
            const QString file = QString::fromLatin1(list.relative);
            const QByteArrayList lines = shippedLines(file);
            QTest::addRow("%s byte-order mark", list.relative) << file << "\xEF\xBB\xBF" + joined(lines);
            QTest::addRow("%s CRLF, no final line end", list.relative) << file << joined(lines, "\r\n").chopped(2);
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
        QVERIFY(run.messages.texts.isEmpty());

        QCOMPARE(run.form->findChild<QLineEdit*>("txtKananame")->text(), QString());
        run.form->findChild<QPushButton*>("Command9")->click();
        run.form->findChild<QPushButton*>("Command1")->click();
        QVERIFY(run.messages.texts.isEmpty());
        QVERIFY(!run.form->state().answer.empty());
    }

    void damagedPicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents"); // "missing", "folder", "png", "huge" stand for themselves
        QTest::addColumn<QString>("cause");
        QFile gif(kShipped + "/hir/y-/u.gif");
        QVERIFY(gif.open(QIODevice::ReadOnly));
        const QByteArray whole = gif.readAll();
        for (const char* file : {"kat/n.gif", "hir/y-/u.gif"}) {
            auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s %s", file, what); };
            row("missing") << file << QByteArray("missing") << "not found";
            row("folder") << file << QByteArray("folder") << "it is a folder, not a file";
            row("empty") << file << QByteArray() << "it is not a GIF picture";
            row("first half of a GIF") << file << whole.left(whole.size() / 2) << "the picture data ends early";
            row("PNG named .gif") << file << QByteArray("png") << "it is not a GIF picture";
            row("text named .gif") << file << QByteArray("ka\n") << "it is not a GIF picture";
            row("3000 x 3000 pixels") << file << QByteArray("huge") << "3000 x 3000 pixels, larger than the kana window";
        }
    }

    void damagedPicture()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, cause);
        const DataFolderCopy data;
        data.remove(file);
        const QString path = data.file(file);
        if (contents == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (contents == "png") {
            QImage image(40, 40, QImage::Format_RGB32);
            image.fill(Qt::black);
            QVERIFY(image.save(path, "PNG"));
        } else if (contents == "huge") {
            QVERIFY(QFile::copy(QStringLiteral(QUELVANE_FIXTURES "/huge.gif"), path));
        } else if (contents != "missing") {
            data.write(file, contents);
        }

        FormHarness h(data.path());
        h.check("TestMode")->setChecked(true);
        // A good kana first, so that an empty picture area means the damaged
        // one cleared it. Only the damaged picture's row is ticked then.
        h.katakana(0)->setChecked(true);
        h.button("Command1")->click();
        h.katakana(0)->setChecked(false);
        QCheckBox* row = file.startsWith("kat") ? h.katakana(10) : h.hiragana(7);
        row->setChecked(true);
        auto* kana = h.find<QLabel>("imgKana");
        while (h.messages().texts.isEmpty() && QFileInfo(path).fileName() != "n.gif") {
            h.button("Command1")->click(); // the Y row has three members
            QVERIFY(!kana->pixmap().isNull() || !h.messages().texts.isEmpty());
        }
        if (h.messages().texts.isEmpty())
            h.button("Command1")->click();

        QCOMPARE(h.messages().texts.size(), 1);
        const QString& text = h.messages().texts.front();
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)) && text.contains(cause), qPrintable(text));
        QVERIFY(kana->pixmap().isNull());
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        QVERIFY(h.state().answer.empty());

        // The program goes on: once the picture is mended the next press
        // shows a kana.
        data.remove(file);
        QVERIFY(QFile::copy(kShipped + "/" + file, path));
        h.button("Command1")->click();
        QCOMPARE(h.messages().texts.size(), 1);
        QVERIFY(!kana->pixmap().isNull());
        QVERIFY(h.button("cmdcheck")->isEnabled());
    }
};

QTEST_MAIN(BadDataTest)
#include "tst_bad_data.moc"
