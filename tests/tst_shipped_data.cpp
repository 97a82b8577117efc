#include "catalogue/loaders.h"

#include <QImageReader>
#include <QSet>
#include <QTest>

using namespace catalogue;

// The data folder the program ships is part of the program: every kana must
// load, and every picture must fit the kana window even when doubled.
class ShippedDataTest : public QObject {
    Q_OBJECT
private slots:
    void namesInOrder()
    {
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        QCOMPARE(catalogue.symbol(0, 0).name, "a");
        QCOMPARE(catalogue.symbol(2, 1).name, "shi");
        QCOMPARE(catalogue.symbol(3, 2).name, "tsu");
        QCOMPARE(catalogue.symbol(5, 2).name, "fu");
        QCOMPARE(catalogue.symbol(7, 1).name, "yu");
        QCOMPARE(catalogue.symbol(kWSet, 1).name, "wo");
        QCOMPARE(catalogue.symbol(kNSet, 0).name, "n");
        QCOMPARE(catalogue.symbol(13, 1).name, "ji");
        QCOMPARE(catalogue.symbol(18, 0).name, "cha");
        QCOMPARE(catalogue.symbol(23, 2).name, "jo");
        QCOMPARE(catalogue.symbol(25, 2).name, "pyo");
    }

    void everyPictureLoadsAndFits()
    {
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        QSet<QString> seen;
        for (std::size_t s = 0; s < kSetCount; ++s) {
            for (std::size_t m = 0; m < catalogue.memberCount(s); ++m) {
                for (Script script : {Script::Katakana, Script::Hiragana}) {
                    const QString path = QString::fromStdString(catalogue.picture(s, m, script));
                    QImageReader reader(path);
                    QCOMPARE(reader.format(), QByteArray("gif"));
                    const QImage image = reader.read();
                    QVERIFY2(!image.isNull(), qPrintable(path + ": " + reader.errorString()));
                    // 1035 x 840 twips: the widest picture that still fits
                    // beside the small tsu in the kana window.
                    QVERIFY2(image.width() <= 69 && image.height() <= 56, qPrintable(path));
                    QVERIFY2(image.width() >= 30 && image.height() >= 30, qPrintable(path));
                    seen.insert(path);
                }
            }
        }
        QCOMPARE(seen.size(), 202);
    }
};

QTEST_GUILESS_MAIN(ShippedDataTest)
#include "tst_shipped_data.moc"
