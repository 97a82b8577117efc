// The quiz core with a seeded generator: chance, the choice of the next
// kana, how a kana is presented, the verdict and the score.

#include "catalogue/loaders.h"
#include "quiz/presentation.h"
#include "quiz/random_int.h"
#include "quiz/score.h"
#include "quiz/selection.h"

#include <QTest>

#include <array>
#include <limits>
#include <map>
#include <numeric>

using namespace catalogue;
using namespace quiz;

namespace {

constexpr int kDraws = 20000;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Within five standard deviations of the binomial mean.
bool aboutShare(int hits, int draws, double share)
{
    const double mean = draws * share;
    return std::abs(hits - mean) <= 5 * std::sqrt(draws * share * (1 - share));
}

} // namespace

class QuizTest : public QObject {
    Q_OBJECT
    const KanaCatalogue catalogue_ = LoadCatalogue(QUELVANE_SHIPPED_DATA);

private slots:
    void randomInt()
    {
        RandomSource random(1);
        std::array<int, 26> counts{};
        for (int i = 0; i < kDraws; ++i) {
            const int r = random.RandomInt(0, 25);
            QVERIFY(r >= 0 && r <= 25);
            ++counts[static_cast<std::size_t>(r)];
        }
        for (int count : counts)
            QVERIFY(aboutShare(count, kDraws, 1.0 / 26));
        // The lower bound narrows the outcomes; it is not added.
        std::map<int, int> seen;
        for (int i = 0; i < 3000; ++i)
            ++seen[random.RandomInt(3, 5)];
        QCOMPARE(seen.size(), std::size_t{3});
        QCOMPARE(seen.begin()->first, 0);
        QCOMPARE(random.RandomInt(7, 7), std::int16_t{0});
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, random.RandomInt(5, 4));
        // Draws one right after the other are independent.
        RandomSource seeded; // the program's own seeding
        std::array<int, 4> pairs{};
        for (int i = 0; i < kDraws; ++i)
            ++pairs[static_cast<std::size_t>(seeded.RandomInt(0, 1) * 2 + seeded.RandomInt(0, 1))];
        for (int count : pairs)
            QVERIFY(aboutShare(count, kDraws, 0.25));
    }

    void choice_data()
    {
        QTest::addColumn<QList<int>>("katakanaRows");
        QTest::addColumn<QList<int>>("hiraganaRows");
        QTest::addColumn<double>("katakanaShare");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("nameShare");
        QList<int> all(26);
        std::iota(all.begin(), all.end(), 0);
        QTest::newRow("katakana only") << QList<int>{0, 1, 2} << QList<int>{} << 1.0 << "ka" << 1.0 / 15;
        QTest::newRow("hiragana only") << QList<int>{} << all << 0.0 << "n" << 1.0 / 26;
        QTest::newRow("both, balanced") << all << all << 0.5 << "n" << 1.0 / 26;
        QTest::newRow("one against twenty-five") << QList<int>{0} << all.mid(1) << 0.5 << "a" << 0.1;
        // Every ticked row is equally likely whatever its size.
        QTest::newRow("N- and K") << QList<int>{1, 10} << QList<int>{} << 1.0 << "n" << 0.5;
    }

    // Every draw is a ticked row and one of its members; the script is an
    // even chance when both columns have rows, whatever their number; and
    // only hiragana outside Basic and N- may come doubled, half the time.
    void choice()
    {
        QFETCH(QList<int>, katakanaRows);
        QFETCH(QList<int>, hiraganaRows);
        QFETCH(double, katakanaShare);
        QFETCH(QString, name);
        QFETCH(double, nameShare);
        RandomSource random(4);
        QuizState state;
        QVERIFY(!ChooseNextKana(state, SetSelection{}, catalogue_, random));
        QCOMPARE(state.setIndex, std::uint8_t{26}); // the scan reads every row
        SetSelection selection;
        for (int row : katakanaRows)
            selection.katakana[static_cast<std::size_t>(row)] = true;
        for (int row : hiraganaRows)
            selection.hiragana[static_cast<std::size_t>(row)] = true;
        int katakana = 0;
        int named = 0;
        int eligible = 0;
        int doubled = 0;
        for (int i = 0; i < kDraws; ++i) {
            const auto choice = ChooseNextKana(state, selection, catalogue_, random);
            QVERIFY(choice);
            const auto& ticked = choice->script == Script::Katakana ? selection.katakana : selection.hiragana;
            QVERIFY(ticked[choice->setIndex]);
            QCOMPARE(choice->name, catalogue_.symbol(choice->setIndex, choice->member).name);
            QCOMPARE(choice->picture, catalogue_.picture(choice->setIndex, choice->member, choice->script));
            katakana += choice->script == Script::Katakana ? 1 : 0;
            named += choice->name == name.toStdString() ? 1 : 0;
            const bool mayDouble = choice->script == Script::Hiragana && choice->setIndex != kBasicSet
                                && choice->setIndex != kNSet;
            QVERIFY(mayDouble || !choice->doubleRequested);
            eligible += mayDouble ? 1 : 0;
            doubled += choice->doubleRequested ? 1 : 0;
        }
        QVERIFY2(aboutShare(katakana, kDraws, katakanaShare), qPrintable(QString::number(katakana)));
        QVERIFY2(aboutShare(named, kDraws, nameShare), qPrintable(QString::number(named)));
        QVERIFY(eligible == 0 || aboutShare(doubled, eligible, 0.5));
    }

    void doubling_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("coin");
        QTest::addColumn<bool>("option");
        QTest::addColumn<QString>("answer");
        QTest::newRow("coin and option") << "shi" << true << true << "sshi";
        QTest::newRow("coin only") << "shi" << true << false << "shi";
        QTest::newRow("option only") << "shi" << false << true << "shi";
        QTest::newRow("a whole first character") << "ōka" << true << true << "ōōka";
        QTest::newRow("four-byte character") << "𝑘a" << true << true << "𝑘𝑘a";
        QTest::newRow("empty name") << "" << true << true << "";
    }

    void doubling()
    {
        QFETCH(QString, name);
        QFETCH(bool, coin);
        QFETCH(bool, option);
        QFETCH(QString, answer);
        const Presentation study = PlanPresentation(name.toStdString(), {720, 720}, false, coin, option);
        QCOMPARE(QString::fromStdString(study.answer), answer);
        QCOMPARE(QString::fromStdString(study.answerBoxText), answer);
        QCOMPARE(study.smallTsuLeft != kSmallTsuHidden, coin && option);
    }

    void lessDuplicates()
    {
        QuizState state;
        state.answer = state.lastAnswer = "n";
        QVERIFY(!ShouldRedrawDuplicate(state, false));
        for (int i = 0; i < kMaxDuplicateRedraws; ++i)
            QVERIFY(ShouldRedrawDuplicate(state, true));
        QVERIFY(!ShouldRedrawDuplicate(state, true)); // bounded: the repeat is kept
        QVERIFY(ShouldRedrawDuplicate(state, true));  // and the next question may redraw again
        state.answer = "kka";
        state.lastAnswer = "ka";
        QVERIFY(!ShouldRedrawDuplicate(state, true)); // doubled and plain differ
    }

    void percent_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("missed");
        QTest::addColumn<QString>("text");
        QTest::newRow("1/0") << 1 << 0 << "100.%";
        QTest::newRow("0/1") << 0 << 1 << ".%";
        QTest::newRow("2/1") << 2 << 1 << "66.67%";
        QTest::newRow("1/2") << 1 << 2 << "33.33%";
        QTest::newRow("3/5") << 3 << 5 << "37.5%";
        QTest::newRow("1/199") << 1 << 199 << ".5%";
        QTest::newRow("1/9999") << 1 << 9999 << ".01%";
        QTest::newRow("1/99999") << 1 << 99999 << ".%";
        QTest::newRow("9999/1") << 9999 << 1 << "99.99%";
        QTest::newRow("19/1") << 19 << 1 << "95.%";
        QTest::newRow("both at the limit") << kMax << kMax << "50.%";
    }

    void percent()
    {
        QFETCH(int, correct);
        QFETCH(int, missed);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(PercentText(correct, missed)), text);
    }

    // A reveal moves a point only whole, and the counts stop at their
    // largest value.
    void countsAtTheirLimit()
    {
        QuizState state;
        state.answer = "Ka";
        state.kanaOnDisplay = true;
        QCOMPARE(CheckAnswer(state, "ka"), Verdict::Wrong); // the answer itself is not lower-cased
        state.correct = 5;
        state.missed = kMax;
        QCOMPARE(Reveal(state, true), std::string("Ka"));
        QCOMPARE(state.correct, 5);
        state.correct = kMax - 1;
        CountCorrect(state);
        CountCorrect(state);
        CountMissed(state);
        QCOMPARE(state.correct, kMax);
        QCOMPARE(state.missed, kMax);
    }
};

QTEST_GUILESS_MAIN(QuizTest)
#include "tst_quiz.moc"
