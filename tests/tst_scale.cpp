// The windows at the scale this test runs with (QT_SCALE_FACTOR, set by
// CTest to 1, 1.5 and 2): every position stays the same in logical pixels,
// and each picture is drawn from the file made for the screen's pixels.

#include "data_folder.h"
#include "form_harness.h"
#include "windows/form2.h"
#include "windows/form3.h"
#include "windows/picture_label.h"

#include <QTest>

namespace {

const QString kShipped = QStringLiteral(QUELVANE_SHIPPED_DATA);

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a picture control shows, in device pixels, against the picture it
// should show at this ratio.
void verifyDrawnFrom(const QLabel* label, const QImage& expected, qreal ratio)
{
    const QPixmap shown = label->pixmap();
    QCOMPARE(shown.devicePixelRatio(), ratio);
    QCOMPARE(shown.size(), (QSizeF(expected.size()) * ratio / expected.devicePixelRatio()).toSize());
    if (ratio == expected.devicePixelRatio())
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
}

} // namespace

class ScaleTest : public QObject {
    Q_OBJECT
private slots:
    void kanaPicture_data()
    {
        QTest::addColumn<QByteArray>("twin");
        QTest::addColumn<bool>("twinUsed");
        QTest::newRow("with its @2x twin") << QByteArray() << true;
        QTest::newRow("without a twin") << QByteArray("<missing>") << false;
        QTest::newRow("a twin that is not a picture") << QByteArray("GIF89a") << false;
        QTest::newRow("a twin of the wrong size") << fileBytes(kShipped + "/kat/n.gif") << false;
    }

    void kanaPicture()
    {
        QFETCH(QByteArray, twin);
        QFETCH(bool, twinUsed);
        const DataFolderCopy data;
        if (!twin.isEmpty())
            data.write("kat/n@2x.gif", twin);
        FormHarness h(data.path());
        const qreal ratio = h.form().devicePixelRatioF();
        h.katakana(10)->setChecked(true);
        h.button("Command1")->click();
        QVERIFY(h.messages().texts.isEmpty());
        auto* kana = h.find<windows::PictureLabel>("imgKana");
        QCOMPARE(kana->geometry(), QRect(29, 21, 48, 48));
        QImage expected(kShipped + "/kat/n.gif");
        if (twinUsed && ratio > 1) {
            expected = QImage(kShipped + "/kat/n@2x.gif");
            expected.setDevicePixelRatio(2);
        }
        verifyDrawnFrom(kana, expected, twinUsed && ratio > 1 ? ratio : 1);
    }

    void positionsAndWindowPictures()
    {
        FormHarness h;
        const qreal ratio = h.form().devicePixelRatioF();
        QCOMPARE(h.form().size(), QSize(269, 443));
        h.hiragana(1)->setChecked(true);
        h.check("chkDouble")->setChecked(true);
        for (int i = 0; i < 50 && h.state().answer.size() != 3; ++i)
            h.button("Command1")->click();
        QCOMPARE(h.state().answer.size(), std::size_t{3});
        QCOMPARE(h.find("imgtsu")->geometry(), QRect(11, 48, 18, 12));
        QCOMPARE(h.find("imgKana")->geometry(), QRect(39, 21, 48, 48));

        // The window's own pictures come from their "@2x" files on a
        // denser screen.
        const std::pair<QWidget*, QString> windows[] = {
            {&h.form(), "small_tsu.gif"},
            {new windows::Form2(&h.form()), "wrong.jpg"},
            {new windows::Form3(&h.form()), "about.jpg"},
        };
        for (const auto& [window, file] : windows) {
            const QString name = file.section('.', 0, 0) + (ratio > 1 ? "@2x." : ".") + file.section('.', 1);
            const QImage expected(":/quelvane/" + name);
            QVERIFY2(!expected.isNull(), qPrintable(name));
            auto* label = window->findChild<QLabel*>(window == &h.form() ? "imgtsu" : "Image1");
            QCOMPARE(label->pixmap().size(), expected.size());
        }
    }
};

QTEST_MAIN(ScaleTest)
#include "tst_scale.moc"
