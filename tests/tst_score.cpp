#include "quiz/score.h"

#include <QTest>

#include <limits>

using namespace quiz;

class ScoreTest : public QObject {
    Q_OBJECT
private slots:
    void percent_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("missed");
        QTest::addColumn<QString>("text");
        QTest::newRow("1/0") << 1 << 0 << "100.%";
        QTest::newRow("0/1") << 0 << 1 << ".%";
        QTest::newRow("1/1") << 1 << 1 << "50.%";
        QTest::newRow("2/1") << 2 << 1 << "66.67%";
        QTest::newRow("1/2") << 1 << 2 << "33.33%";
        QTest::newRow("3/5") << 3 << 5 << "37.5%";
        QTest::newRow("1/199") << 1 << 199 << ".5%";
        QTest::newRow("1/9999") << 1 << 9999 << ".01%";
        QTest::newRow("1/99999") << 1 << 99999 << ".%";
        QTest::newRow("99999/1") << 99999 << 1 << "100.%";
        QTest::newRow("9999/1") << 9999 << 1 << "99.99%";
        QTest::newRow("19/1") << 19 << 1 << "95.%";
        QTest::newRow("both at the limit") << std::numeric_limits<int>::max() << std::numeric_limits<int>::max()
                                           << "50.%";
    }

    void percent()
    {
        QFETCH(int, correct);
        QFETCH(int, missed);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(PercentText(correct, missed)), text);
    }

    void display()
    {
        QuizState state;
        ScoreText text = ScoreDisplay(state);
        QCOMPARE(text.missed, "0");
        QCOMPARE(text.correct, "0");
        QVERIFY(!text.percent);
        state.correct = 12;
        state.missed = 4;
        text = ScoreDisplay(state);
        QCOMPARE(text.correct, "12");
        QCOMPARE(*text.percent, "75.%");
    }

    void check_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("same") << "ka" << "ka" << true;
        QTest::newRow("capitals") << "ka" << "KA" << true;
        QTest::newRow("mixed case") << "shi" << "sHi" << true;
        QTest::newRow("leading space") << "ka" << " ka" << false;
        QTest::newRow("trailing space") << "ka" << "ka " << false;
        QTest::newRow("plain for doubled") << "kka" << "ka" << false;
        QTest::newRow("doubled") << "kka" << "KKA" << true;
        QTest::newRow("other spelling") << "shi" << "si" << false;
        QTest::newRow("empty typed") << "ka" << "" << false;
        QTest::newRow("answer not lower-cased") << "Ka" << "Ka" << false;
    }

    void check()
    {
        QFETCH(QString, answer);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        QuizState state;
        state.kanaOnDisplay = true;
        state.answer = answer.toStdString();
        QCOMPARE(CheckAnswer(state, typed.toStdString()), right ? Verdict::Right : Verdict::Wrong);
        QCOMPARE(state.correct + state.missed, 0); // the check itself counts nothing
    }

    void nothingToCheckBeforeAKana()
    {
        QuizState state;
        QCOMPARE(CheckAnswer(state, ""), Verdict::NothingToCheck);
    }

    void countsStopAtTheLimit()
    {
        QuizState state;
        state.correct = std::numeric_limits<std::int32_t>::max() - 1;
        state.missed = std::numeric_limits<std::int32_t>::max();
        CountCorrect(state);
        CountCorrect(state);
        CountMissed(state);
        QCOMPARE(state.correct, std::numeric_limits<std::int32_t>::max());
        QCOMPARE(state.missed, std::numeric_limits<std::int32_t>::max());
    }

};

QTEST_APPLESS_MAIN(ScoreTest)
#include "tst_score.moc"
