#include "form_harness.h"

#include <QTest>

namespace {

const QString kCorrect = QStringLiteral("Correct! Lets try another one!");

// A main window in test mode with the K row ticked and a kana on display.
struct TestRound : FormHarness {
    TestRound()
    {
        katakana(1)->setChecked(true);
        check("TestMode")->setChecked(true);
        button("Command1")->click();
    }

    QString expected() const { return QString::fromStdString(state().answer); }

    void answer(const QString& text)
    {
        answerBox()->setText(text);
        button("cmdcheck")->click();
    }

    void answerRight() { answer(expected()); }

    void answerWrong()
    {
        answer("zzz");
        form().wrongAnswerWindow()->button()->click();
    }

    QStringList score() const { return {label("lblcorrect"), label("lblmissed"), label("lblpercent")}; }
};

} // namespace

class QuizRoundTest : public QObject {
    Q_OBJECT
private slots:
    void firstAnswerRight()
    {
        TestRound round;
        round.answerRight();
        QCOMPARE(round.messages().texts, QStringList{kCorrect});
        QCOMPARE(round.score(), (QStringList{"1", "0", "100.%"}));
        // The next kana is already up, waiting for its answer.
        QVERIFY(round.answerBox()->text().isEmpty());
        QVERIFY(round.button("cmdcheck")->isEnabled());
        QVERIFY(round.form().isEnabled());
    }

    void firstAnswerWrong()
    {
        TestRound round;
        const std::string shown = round.state().answer;
        round.answer("zzz");
        QVERIFY(!round.form().isEnabled());
        QVERIFY(round.form().wrongAnswerWindow());
        QVERIFY(round.form().wrongAnswerWindow()->isVisible());
        QCOMPARE(round.score(), (QStringList{"0", "1", ".%"}));
        QVERIFY(round.messages().texts.isEmpty());
        QCOMPARE(round.state().answer, shown);
        QCOMPARE(round.answerBox()->text(), QString("zzz"));
    }

    // The same kana may be tried again after a wrong answer.
    void wrongThenRight()
    {
        TestRound round;
        const std::string shown = round.state().answer;
        round.answerWrong();
        QCOMPARE(round.state().answer, shown);
        QVERIFY(round.button("cmdcheck")->isEnabled());
        round.answerRight();
        QCOMPARE(round.score(), (QStringList{"1", "1", "50.%"}));
    }

    void typedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("capitals") << "%1" << true;
        QTest::newRow("space before") << " %1" << false;
        QTest::newRow("space after") << "%1 " << false;
        QTest::newRow("empty") << "" << false;
    }

    void typedText()
    {
        QFETCH(QString, typed);
        QFETCH(bool, right);
        TestRound round;
        round.answer(typed.contains("%1") ? typed.arg(round.expected().toUpper()) : typed);
        QCOMPARE(round.label(right ? "lblcorrect" : "lblmissed"), QString("1"));
    }

    void doubledKanaNeedsTheDoubledName()
    {
        FormHarness h;
        h.hiragana(1)->setChecked(true);
        h.check("chkDouble")->setChecked(true);
        h.check("TestMode")->setChecked(true);
        for (int i = 0; i < 200 && !(h.state().answer.size() == 3); ++i)
            h.button("Command1")->click();
        const QString doubled = QString::fromStdString(h.state().answer);
        QCOMPARE(doubled.size(), 3);
        h.answerBox()->setText(doubled.mid(1));
        h.button("cmdcheck")->click();
        QCOMPARE(h.label("lblmissed"), QString("1"));
        h.form().wrongAnswerWindow()->button()->click();
        h.answerBox()->setText(doubled);
        h.button("cmdcheck")->click();
        QCOMPARE(h.label("lblcorrect"), QString("1"));
    }

    void runningScore()
    {
        TestRound round;
        round.answerRight();
        round.answerRight();
        round.answerWrong();
        QCOMPARE(round.score(), (QStringList{"2", "1", "66.67%"}));
        round.answerWrong();
        QCOMPARE(round.label("lblpercent"), QString("50.%"));
        // The labels take the width of what they show, clear of their captions.
        auto* percent = round.find<QLabel>("lblpercent");
        QCOMPARE(percent->width(), percent->sizeHint().width());
        for (const char* caption : {"Label2", "Label3", "Label4"}) {
            auto* label = round.find<QLabel>(caption);
            QVERIFY2(label->x() + label->fontMetrics().horizontalAdvance(label->text()) < percent->x() + percent->indent(),
                     caption);
        }
    }

    void revealBeforeAnyKana()
    {
        FormHarness h;
        h.check("TestMode")->setChecked(true);
        h.answerBox()->setText("typed");
        h.button("Command4")->click();
        QVERIFY(h.answerBox()->text().isEmpty());
        QCOMPARE(h.label("lblcorrect"), QString("0"));
        QCOMPARE(h.label("lblmissed"), QString("0"));
        QVERIFY(h.label("lblpercent").isEmpty());
    }

    void revealWithNothingCorrect()
    {
        TestRound round;
        round.answerWrong();
        round.button("Command4")->click();
        QCOMPARE(round.answerBox()->text(), round.expected());
        QCOMPARE(round.score(), (QStringList{"0", "1", ".%"}));
    }

    void revealMovesAPoint()
    {
        TestRound round;
        for (int i = 0; i < 3; ++i)
            round.answerRight();
        round.answerWrong();
        round.button("Command1")->click();
        QVERIFY(round.button("Command4")->isEnabled());
        round.button("Command4")->click();
        QCOMPARE(round.score(), (QStringList{"2", "2", "50.%"}));
        QCOMPARE(round.answerBox()->text(), round.expected());
        // Revealed twice, charged twice.
        round.button("Command4")->click();
        QCOMPARE(round.score(), (QStringList{"1", "3", "25.%"}));
        // The revealed text still checks as right and moves on.
        round.button("cmdcheck")->click();
        QCOMPARE(round.score(), (QStringList{"2", "3", "40.%"}));
        QVERIFY(round.answerBox()->text().isEmpty());
    }

    void revealInStudyModeCostsNothing()
    {
        TestRound round;
        round.answerRight();
        round.check("TestMode")->setChecked(false);
        round.button("Command1")->click();
        round.button("Command4")->click();
        QCOMPARE(round.score(), (QStringList{"1", "0", "100.%"}));
        QCOMPARE(round.answerBox()->text(), round.expected());
    }

    // A right answer with nothing ticked any more is counted all the same.
    void rightAnswerWithNothingLeftTicked()
    {
        TestRound round;
        round.katakana(1)->setChecked(false);
        round.answerRight();
        QCOMPARE(round.messages().texts, (QStringList{kCorrect, "You Must Select at LEAST ONE symbol set!"}));
        QCOMPARE(round.label("lblcorrect"), QString("1"));
        QVERIFY(!round.button("cmdcheck")->isEnabled());
    }
};

QTEST_MAIN(QuizRoundTest)
#include "tst_quiz_round.moc"
