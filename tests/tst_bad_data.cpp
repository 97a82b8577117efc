// Data folders a learner might bring, against the real start-up and the real
// presentation: every picture the toolkit decodes is shown at its own size,
// centred; whatever cannot serve is told once, naming the file and why,
// having read no more of it than its bounds allow (the times are
// bench/'s), and never leaves a half-loaded quiz or a half-drawn kana behind.

#include "tests/support/form_harness.h"
#include "tests/support/self_report.h"
#include "tests/support/test_data.h"
#include "widgets/picture_label.h"
#include "windows/startup.h"

#include <QDir>
#include <QTest>
#include <QtEndian>

namespace {

const QString kShipped = QStringLiteral(QUELVANE_SHIPPED_DATA);
constexpr qint64 kMiB = 1024 * 1024;

} // namespace

class BadDataTest : public QObject {
    Q_OBJECT
private slots:
    // One row per way a list file can fail; between them the rows cover
    // all five list files.
    void refusedListFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << "kat/symbols.txt" << QByteArray("<missing>") << "not found";
        QTest::newRow("folder") << "hir/yayuyo.txt" << QByteArray("<folder>") << "it is a folder, not a file";
        QTest::newRow("named pipe") << "kat/stdpaths.txt" << QByteArray("<fifo>") << "it is a named pipe, not a file";
        QTest::newRow("link to /dev/zero") << "hir/stdpaths.txt" << QByteArray("<device>") << "it is a device, not a file";
        QTest::newRow("link loop") << "kat/symbols.txt" << QByteArray("<loop>") << "cannot be opened: too many levels of symbolic links";
        QTest::newRow("one entry short") << "kat/yayuyo.txt" << QByteArray("a.gif\ru.gif\r") << "holds 2 entries, 3 needed";
        QTest::newRow("quote never closed") << "kat/symbols.txt" << QByteArray("a,\"i") << "entry 2 cannot be read: its closing double quote is missing";
        QTest::newRow("one entry of 1 GiB") << "hir/yayuyo.txt" << QByteArray("x<then 1 GiB of NULs>") << "entry 1 cannot be read: it is longer than 1024 bytes";
        QTest::newRow("a quoted entry, then 1 GiB of NULs") << "kat/symbols.txt" << QByteArray("\"a\"<then 1 GiB of NULs>") << "entry 1 cannot be read: more than 1024 bytes follow its closing double quote";
        QTest::newRow("UTF-16 with its mark") << "hir/stdpaths.txt" << QByteArray("\xFF\xFE" "a\0,\0", 6) << "it is written in UTF-16";
    }

    void refusedListFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, cause);
        const DataFolderCopy data;
        const QByteArray sparse = "<then 1 GiB of NULs>";
        data.write(file, contents.endsWith(sparse) ? contents.chopped(sparse.size()) : contents);
        if (contents.endsWith(sparse))
            QVERIFY(QFile::resize(data.file(file), qint64(1) << 30));
        const qint64 readBefore = SelfReport("io", "rchar:");
        quiz::RandomSource random(11);
        MessageLog messages;
        QVERIFY(!windows::StartQuelvane(data.path(), random, messages.box())); // no window
        QVERIFY2(SelfReport("io", "rchar:") - readBefore < kMiB, "a file was read whole");
        QCOMPARE(messages.texts.size(), 1);
        const QString& text = messages.texts.front();
        QVERIFY2(text.contains(data.file(file) + ": " + cause), qPrintable(text));
    }

    void pictureIsShownCentredOrToldOnce_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("cause"); // empty: shown
        QTest::addColumn<QSize>("size");
        const QByteArray gif = ReadFile(kShipped + "/kat/n.gif");
        const QString fixtures = QStringLiteral(QUELVANE_FIXTURES "/");
        const QString unknown = QStringLiteral("it is not a picture in a format this program can show");
        QTest::newRow("missing") << QByteArray("<missing>") << "not found" << QSize();
        QTest::newRow("folder") << QByteArray("<folder>") << "it is a folder, not a file" << QSize();
        QTest::newRow("named pipe") << QByteArray("<fifo>") << "it is a named pipe, not a file" << QSize();
        QTest::newRow("link to /dev/zero") << QByteArray("<device>") << "it is a device, not a file" << QSize();
        QTest::newRow("empty") << QByteArray() << unknown << QSize();
        QTest::newRow("text") << QByteArray("ka\n") << unknown << QSize();
        QTest::newRow("GIF cut short") << gif.left(gif.size() / 2) << "the picture data ends early" << QSize();
        QTest::newRow("GIF frame of 16384 x 16384")
            << QByteArray("GIF89a\1\0\1\0\0\0\0\x2C\0\0\0\0\0\x40\0\x40\0\2\0\x3B", 26)
            << "a frame of 16384 x 16384 pixels" << QSize();
        QByteArray hugeJpeg = EncodedPicture({40, 36}, "JPEG");
        hugeJpeg.replace(hugeJpeg.indexOf("\xFF\xC0") + 5, 4, QByteArray("\x0F\xA0\x13\x88", 4)); // 5000 wide, 4000 high
        QTest::newRow("JPEG declaring 5000 x 4000") << hugeJpeg << "5000 x 4000 pixels" << QSize();
        const QByteArray png = EncodedPicture({40, 36}, "PNG");
        QByteArray icon("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0\0\0\0\0\x16\0\0\0", 22); // one entry, 16 x 16
        qToLittleEndian<quint32>(static_cast<quint32>(png.size()), icon.data() + 14);
        QTest::newRow("icon holding a PNG of 40 x 36") << icon + png << unknown << QSize();
        QTest::newRow("file of 18 MiB") << QByteArray(18 << 20, 'G') << "longer than 17825792 bytes" << QSize();
        QTest::newRow("JPEG named .gif") << EncodedPicture({40, 36}, "JPEG") << "" << QSize(40, 36);
        QTest::newRow("PNG named .gif") << EncodedPicture({30, 20}, "PNG") << "" << QSize(30, 20);
        QTest::newRow("BMP named .gif") << EncodedPicture({30, 20}, "BMP") << "" << QSize(30, 20);
        QTest::newRow("progressive JPEG of 64 scans") << EncodedPicture({64, 48}, "JPEG", 64) << "" << QSize(64, 48);
        QTest::newRow("GIF of 120 x 120") << ReadFile(fixtures + "big-120px.gif") << "" << QSize(120, 120);
        QTest::newRow("GIF without its trailer") << gif.chopped(1) << "" << QSize(48, 48);
        QTest::newRow("animated GIF") << ReadFile(fixtures + "animated-40x30.gif") << "" << QSize(40, 30);
    }

    void pictureIsShownCentredOrToldOnce()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, cause);
        QFETCH(QSize, size);
        const DataFolderCopy data;
        data.write("kat/n.gif", contents);
        FormHarness h(data.path());
        h.check("TestMode")->setChecked(true);
        // A good kana first, so that an empty picture area means the bad
        // one cleared it; then only N- is ticked.
        h.katakana(0)->setChecked(true);
        h.button("Command1")->click();
        h.katakana(0)->setChecked(false);
        h.katakana(10)->setChecked(true);
        h.button("Command1")->click();
        auto* kana = h.find<widgets::PictureLabel>("imgKana");

        if (cause.isEmpty()) {
            QVERIFY2(h.messages().texts.isEmpty(), qPrintable(h.messages().texts.join('\n')));
            QCOMPARE(kana->size(), size);
            QCOMPARE(kana->drawnPicture().size(), size);
            const QPoint offCentre = kana->geometry().center() - h.find("Frame2")->rect().center();
            QVERIFY(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1);
            QVERIFY(h.button("cmdcheck")->isEnabled());
            if (QTest::currentDataTag() == QByteArray("animated GIF"))
                QCOMPARE(kana->drawnPicture().toImage().pixelColor(20, 15), QColor(Qt::black));
            return;
        }
        QCOMPARE(h.messages().texts.size(), 1);
        const QString& text = h.messages().texts.front();
        QVERIFY2(text.contains(QDir::toNativeSeparators(data.file("kat/n.gif"))) && text.contains(cause), qPrintable(text));
        QVERIFY(kana->drawnPicture().isNull());
        QVERIFY(!h.button("cmdcheck")->isEnabled());
        QVERIFY(h.state().answer.empty());
        // The program goes on: once the picture is mended the next press
        // shows the kana.
        data.write("kat/n.gif", ReadFile(kShipped + "/kat/n.gif"));
        h.button("Command1")->click();
        QCOMPARE(h.messages().texts.size(), 1);
        QCOMPARE(kana->size(), QSize(48, 48));
        QVERIFY(h.button("cmdcheck")->isEnabled());
    }
};

QUELVANE_TEST_MAIN(BadDataTest)
#include "tst_bad_data.moc"
