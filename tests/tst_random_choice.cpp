#include "catalogue/loaders.h"
#include "quiz/random_int.h"
#include "quiz/selection.h"

#include <QTest>

#include <array>
#include <map>

using namespace catalogue;
using namespace quiz;

namespace {
constexpr int kDraws = 20000;

// Within five standard deviations of the binomial mean.
bool aboutShare(int hits, int draws, double share)
{
    const double mean = draws * share;
    const double sd = std::sqrt(draws * share * (1 - share));
    return std::abs(hits - mean) <= 5 * sd;
}
} // namespace

class RandomChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void randomIntRange()
    {
        RandomSource random(1);
        std::array<int, 27> counts{};
        for (int i = 0; i < kDraws; ++i) {
            const int r = random.RandomInt(0, 25);
            QVERIFY(r >= 0 && r <= 25);
            ++counts[static_cast<std::size_t>(r)];
        }
        for (int v = 0; v <= 25; ++v)
            QVERIFY2(aboutShare(counts[static_cast<std::size_t>(v)], kDraws, 1.0 / 26), qPrintable(QString::number(v)));
    }

    void lowerBoundIsNotAdded()
    {
        RandomSource random(2);
        std::map<int, int> seen;
        for (int i = 0; i < 3000; ++i)
            ++seen[random.RandomInt(3, 5)];
        QCOMPARE(seen.size(), std::size_t{3});
        QCOMPARE(seen.begin()->first, 0);
        QCOMPARE(seen.rbegin()->first, 2);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(random.RandomInt(7, 7), std::int16_t{0});
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, random.RandomInt(5, 4));
    }

    // Draws made one right after the other are independent: pairs of coins
    // come out in all four combinations, each about a quarter of the time.
    void drawsInARowAreIndependent()
    {
        RandomSource random; // the program's own seeding
        std::array<int, 4> pairs{};
        for (int i = 0; i < kDraws; ++i) {
            const int first = random.RandomInt(0, 1);
            const int second = random.RandomInt(0, 1);
            ++pairs[static_cast<std::size_t>(first * 2 + second)];
        }
        for (int count : pairs)
            QVERIFY(aboutShare(count, kDraws, 0.25));
    }

    void nothingTicked()
    {
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        RandomSource random(3);
        QuizState state;
        QVERIFY(!ChooseNextKana(state, SetSelection{}, catalogue, random));
        QCOMPARE(state.setIndex, std::uint8_t{26}); // the scan always reads every row
    }

    void scriptShares_data()
    {
        QTest::addColumn<int>("katakanaRows");
        QTest::addColumn<int>("hiraganaRows");
        QTest::addColumn<double>("katakanaShare");
        QTest::newRow("katakana only") << 3 << 0 << 1.0;
        QTest::newRow("hiragana only") << 0 << 26 << 0.0;
        QTest::newRow("both, balanced") << 26 << 26 << 0.5;
        QTest::newRow("one against twenty-five") << 1 << 25 << 0.5;
    }

    void scriptShares()
    {
        QFETCH(int, katakanaRows);
        QFETCH(int, hiraganaRows);
        QFETCH(double, katakanaShare);
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        SetSelection selection;
        for (int i = 0; i < katakanaRows; ++i)
            selection.katakana[static_cast<std::size_t>(i)] = true;
        for (int i = 0; i < hiraganaRows; ++i)
            selection.hiragana[static_cast<std::size_t>(25 - i)] = true;
        RandomSource random(4);
        QuizState state;
        int katakana = 0;
        for (int i = 0; i < kDraws; ++i) {
            const auto choice = ChooseNextKana(state, selection, catalogue, random);
            QVERIFY(choice);
            const auto& ticked = choice->script == Script::Katakana ? selection.katakana : selection.hiragana;
            QVERIFY(ticked[choice->setIndex]);
            QVERIFY(choice->member < catalogue.memberCount(choice->setIndex));
            QCOMPARE(choice->name, catalogue.symbol(choice->setIndex, choice->member).name);
            QCOMPARE(choice->picture, catalogue.picture(choice->setIndex, choice->member, choice->script));
            katakana += choice->script == Script::Katakana ? 1 : 0;
        }
        QVERIFY2(aboutShare(katakana, kDraws, katakanaShare), qPrintable(QString::number(katakana)));
    }

    // Every ticked row is equally likely whatever its size, so the one kana
    // of N- comes up as often as all five of K together.
    void rowsAreEquallyLikely()
    {
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        SetSelection selection;
        selection.katakana[1] = true;
        selection.katakana[kNSet] = true;
        RandomSource random(5);
        QuizState state;
        std::map<std::string, int> counts;
        for (int i = 0; i < kDraws; ++i)
            ++counts[ChooseNextKana(state, selection, catalogue, random)->name];
        QCOMPARE(counts.size(), std::size_t{6});
        QVERIFY(aboutShare(counts["n"], kDraws, 0.5));
        for (const char* name : {"ka", "ki", "ku", "ke", "ko"})
            QVERIFY2(aboutShare(counts[name], kDraws, 0.1), name);
    }

    void doubleConsonantCoin()
    {
        const KanaCatalogue catalogue = LoadCatalogue(QUELVANE_SHIPPED_DATA);
        SetSelection selection;
        selection.katakana.fill(true);
        selection.hiragana.fill(true);
        RandomSource random(6);
        QuizState state;
        int eligible = 0;
        int doubled = 0;
        for (int i = 0; i < kDraws; ++i) {
            const auto choice = ChooseNextKana(state, selection, catalogue, random);
            const bool mayDouble = choice->script == Script::Hiragana && choice->setIndex != kBasicSet
                                && choice->setIndex != kNSet;
            if (!mayDouble)
                QVERIFY(!choice->doubleRequested);
            eligible += mayDouble ? 1 : 0;
            doubled += choice->doubleRequested ? 1 : 0;
        }
        QVERIFY(eligible > kDraws / 3);
        QVERIFY2(aboutShare(doubled, eligible, 0.5), qPrintable(QString::number(doubled)));
    }
};

QTEST_GUILESS_MAIN(RandomChoiceTest)
#include "tst_random_choice.moc"
