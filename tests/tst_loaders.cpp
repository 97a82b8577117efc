#include "catalogue/loaders.h"
#include "data_folder.h"

#include <QTest>

using namespace catalogue;
namespace fs = std::filesystem;

namespace {

QString pathText(const std::string& path)
{
    return QString::fromStdString(fs::path(path).lexically_normal().generic_string());
}

QString expectedPicture(const DataFolderCopy& data, const QString& relative)
{
    return pathText(data.file(relative).toStdString());
}

QByteArray joined(int count, const char* separator)
{
    QByteArrayList names;
    for (int i = 1; i <= count; ++i)
        names << "n" + QByteArray::number(i);
    return names.join(separator);
}

} // namespace

class LoadersTest : public QObject {
    Q_OBJECT
private slots:
    void emptyBeforeLoading()
    {
        const KanaCatalogue empty;
        for (std::size_t s = 0; s < kSetCount; ++s) {
            for (std::size_t m = 0; m < empty.memberCount(s); ++m) {
                const KanaSymbol& symbol = empty.symbol(s, m);
                QVERIFY(symbol.name.empty() && symbol.katakanaPicture.empty() && symbol.hiraganaPicture.empty());
            }
        }
    }

    void shapeOfTheCatalogue()
    {
        std::size_t total = 0;
        for (const SetShape& shape : kSetShapes)
            total += shape.count;
        QCOMPARE(total, kSymbolCount);
        QCOMPARE(kSetShapes[kWSet].count, std::size_t{2});
        QCOMPARE(kSetShapes[kNSet].count, std::size_t{1});
        const KanaCatalogue catalogue;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, catalogue.set(26));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, catalogue.symbol(kNSet, 1));
    }

    // Names stand in set order, so the Y row sits between M and R and N-
    // between W and G.
    void namePositions()
    {
        DataFolderCopy data;
        data.write("kat/symbols.txt", joined(101, "\n"));
        const KanaCatalogue catalogue = LoadCatalogue(data.path());
        QCOMPARE(catalogue.symbol(7, 0).name, "n36");  // Y
        QCOMPARE(catalogue.symbol(7, 2).name, "n38");
        QCOMPARE(catalogue.symbol(kWSet, 0).name, "n44");
        QCOMPARE(catalogue.symbol(kWSet, 1).name, "n45");
        QCOMPARE(catalogue.symbol(kNSet, 0).name, "n46");
        QCOMPARE(catalogue.symbol(11, 0).name, "n47"); // G
        QCOMPARE(catalogue.symbol(25, 0).name, "n99"); // PY
        QCOMPARE(catalogue.symbol(25, 2).name, "n101");
    }

    void layoutOfTheNameListDoesNotMatter()
    {
        DataFolderCopy lines;
        lines.write("kat/symbols.txt", joined(101, "\n"));
        DataFolderCopy commas;
        commas.write("kat/symbols.txt", joined(101, ",") + ",extra,\"more, still\"\r\n");
        const KanaCatalogue a = LoadCatalogue(lines.path());
        const KanaCatalogue b = LoadCatalogue(commas.path());
        for (std::size_t s = 0; s < kSetCount; ++s) {
            for (std::size_t m = 0; m < a.memberCount(s); ++m)
                QCOMPARE(a.symbol(s, m).name, b.symbol(s, m).name);
        }
    }

    void picturePaths()
    {
        DataFolderCopy data;
        // Longer lists than needed, other names than the shipped ones.
        data.write("kat/stdpaths.txt", "k1.gif,k2.gif,k3.gif,k4.gif,k5.gif,k6.gif");
        data.write("kat/yayuyo.txt", "ky1.gif\nky2.gif\nky3.gif\nky4.gif");
        data.write("hir/stdpaths.txt", "h1.gif,h2.gif,h3.gif,h4.gif,h5.gif");
        data.write("hir/yayuyo.txt", "hy1.gif,hy2.gif,hy3.gif");
        const KanaCatalogue catalogue = LoadCatalogue(data.path());

        auto kat = [&](std::size_t s, std::size_t m) { return pathText(catalogue.symbol(s, m).katakanaPicture); };
        auto hir = [&](std::size_t s, std::size_t m) { return pathText(catalogue.symbol(s, m).hiraganaPicture); };
        QCOMPARE(kat(1, 2), expectedPicture(data, "kat/k-/k3.gif"));
        QCOMPARE(kat(15, 2), expectedPicture(data, "kat/p-/k3.gif"));
        QCOMPARE(kat(15, 4), expectedPicture(data, "kat/p-/k5.gif"));
        QCOMPARE(kat(0, 0), expectedPicture(data, "kat/-/k1.gif"));
        QCOMPARE(kat(7, 2), expectedPicture(data, "kat/y-/ky3.gif"));
        QCOMPARE(kat(25, 0), expectedPicture(data, "kat/py-/ky1.gif"));
        QCOMPARE(hir(17, 1), expectedPicture(data, "hir/sh-/hy2.gif"));
        QCOMPARE(hir(4, 4), expectedPicture(data, "hir/n-/h5.gif"));
        // W and N- take no file names from the lists.
        QCOMPARE(kat(kWSet, 0), expectedPicture(data, "kat/w-/a.gif"));
        QCOMPARE(kat(kWSet, 1), expectedPicture(data, "kat/w-/o.gif"));
        QCOMPARE(hir(kWSet, 1), expectedPicture(data, "hir/w-/o.gif"));
        QCOMPARE(kat(kNSet, 0), expectedPicture(data, "kat/n.gif"));
        QCOMPARE(hir(kNSet, 0), expectedPicture(data, "hir/n.gif"));
        QCOMPARE(catalogue.picture(kNSet, 0, Script::Hiragana), catalogue.symbol(kNSet, 0).hiraganaPicture);
    }

    // An entry is appended to the row folder as it stands; a leading slash
    // does not make it a path of its own.
    void entryNeverLeavesTheRowFolder()
    {
        DataFolderCopy data;
        data.write("kat/stdpaths.txt", "/etc/passwd,b,c,d,e");
        const KanaCatalogue catalogue = LoadCatalogue(data.path());
        QVERIFY(QString::fromStdString(catalogue.symbol(1, 0).katakanaPicture)
                    .startsWith(QString::fromStdString(data.path().string())));
    }

    void nameListInTheHiraganaFolderIsNeverRead()
    {
        DataFolderCopy data;
        data.write("hir/symbols.txt", "wrong");
        const KanaCatalogue catalogue = LoadCatalogue(data.path());
        QCOMPARE(catalogue.symbol(1, 0).name, "ka");
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
        fs::create_directories(bin / "kat");
        QCOMPARE(FindDataFolder(bin), bin);
    }
};

QTEST_GUILESS_MAIN(LoadersTest)
#include "tst_loaders.moc"
