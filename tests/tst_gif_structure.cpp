#include "catalogue/gif_structure.h"

#include <QFile>
#include <QTest>

using catalogue::GifDamage;

namespace {

std::string shipped(const char* relative)
{
    QFile file(QStringLiteral(QUELVANE_SHIPPED_DATA "/") + relative);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

} // namespace

class GifStructureTest : public QObject {
    Q_OBJECT
private slots:
    void wholePicturesPass()
    {
        for (const char* picture : {"kat/n.gif", "hir/ky-/o.gif", "hir/w-/o.gif"}) {
            const std::string bytes = shipped(picture);
            QVERIFY(!bytes.empty());
            QVERIFY2(!GifDamage(bytes), picture);
        }
    }

    // Wherever a picture is cut, the cut is found.
    void everyCutIsFound()
    {
        const std::string bytes = shipped("hir/ky-/o.gif");
        for (std::size_t length = 0; length < bytes.size(); ++length)
            QVERIFY2(GifDamage(bytes.substr(0, length)), qPrintable(QString::number(length)));
    }

    void otherDamage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause");
        QTest::newRow("text") << QByteArray("hello, world") << "it is not a GIF picture";
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1a\n") << "it is not a GIF picture";
        QTest::newRow("no picture") << QByteArray("GIF89a\1\0\1\0\0\0\0\x3B", 14) << "it is damaged: it holds no picture";
        QTest::newRow("unknown block") << QByteArray("GIF89a\1\0\1\0\0\0\0\x99\x3B", 15)
                                       << "it is damaged: an unknown block stands in it";
    }

    void otherDamage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cause);
        QCOMPARE(QString::fromStdString(GifDamage(bytes.toStdString()).value_or("whole")), cause);
    }
};

QTEST_APPLESS_MAIN(GifStructureTest)
#include "tst_gif_structure.moc"
