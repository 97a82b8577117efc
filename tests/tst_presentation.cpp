#include "quiz/presentation.h"

#include <QTest>

using namespace quiz;

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("doubled");
        QTest::addColumn<double>("kanaLeft");
        QTest::addColumn<double>("tsuLeft");
        QTest::newRow("375 plain") << 375.0 << false << 600.0 << kSmallTsuHidden;
        QTest::newRow("375 doubled") << 375.0 << true << 930.0 << 330.0;
        QTest::newRow("1035 doubled") << 1035.0 << true << 270.0 << 0.0;
        QTest::newRow("720 doubled, half twips") << 720.0 << true << 585.0 << 157.5;
    }

    void placement()
    {
        QFETCH(double, width);
        QFETCH(bool, doubled);
        QFETCH(double, kanaLeft);
        QFETCH(double, tsuLeft);
        const Presentation p = PlanPresentation("ka", {width, 720}, true, doubled, doubled);
        QCOMPARE(p.doubled, doubled);
        QCOMPARE(p.kanaLeft, kanaLeft);
        QCOMPARE(p.smallTsuLeft, tsuLeft);
        QCOMPARE(p.kanaTop, (kKanaWindowHeight - 720) / 2);
    }

    void doublingNeedsBothCoinAndOption_data()
    {
        QTest::addColumn<bool>("coin");
        QTest::addColumn<bool>("option");
        QTest::addColumn<QString>("answer");
        QTest::newRow("both") << true << true << "sshi";
        QTest::newRow("coin only") << true << false << "shi";
        QTest::newRow("option only") << false << true << "shi";
        QTest::newRow("neither") << false << false << "shi";
    }

    void doublingNeedsBothCoinAndOption()
    {
        QFETCH(bool, coin);
        QFETCH(bool, option);
        QFETCH(QString, answer);
        const Presentation p = PlanPresentation("shi", {720, 720}, false, coin, option);
        QCOMPARE(QString::fromStdString(p.answer), answer);
        QCOMPARE(p.answerBoxText, p.answer);
        QCOMPARE(p.smallTsuLeft != kSmallTsuHidden, coin && option);
    }

    void emptyNameStaysEmpty()
    {
        QCOMPARE(PlanPresentation("", {720, 720}, true, true, true).answer, std::string());
    }

    void modes()
    {
        const Presentation test = PlanPresentation("chi", {720, 720}, true, true, true);
        QVERIFY(test.checkEnabled);
        QVERIFY(test.answerBoxText.empty());
        QCOMPARE(test.answer, "cchi");
        const Presentation study = PlanPresentation("chi", {720, 720}, false, false, true);
        QVERIFY(!study.checkEnabled);
        QCOMPARE(study.answerBoxText, "chi");
    }

    void answersMoveOn()
    {
        QuizState state;
        BeginPresentation(state);
        CompletePresentation(state, PlanPresentation("ka", {720, 720}, true, false, false));
        QVERIFY(state.kanaOnDisplay);
        BeginPresentation(state);
        QCOMPARE(state.lastAnswer, "ka");
        QVERIFY(state.answer.empty());
        AbandonPresentation(state);
        QVERIFY(!state.kanaOnDisplay);
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
        state.answer = "ka";
        QVERIFY(!ShouldRedrawDuplicate(state, true));
        state.answer = "kka";
        state.lastAnswer = "ka";
        QVERIFY(!ShouldRedrawDuplicate(state, true)); // doubled and plain differ
    }
};

QTEST_APPLESS_MAIN(PresentationTest)
#include "tst_presentation.moc"
