#include "form_harness.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <malloc.h>

namespace {

// Questions answered before the first memory reading: by then every picture
// has been decoded once and the toolkit's caches are full.
constexpr int kWarmUp = 5'000;
constexpr int kQuestions = 100'000;
constexpr long kAllowedGrowthKb = 1024;

// Resident memory of this process in kB, or -1 when it cannot be read.
long residentKb()
{
    // Freed blocks still held by the allocator are not growth; hand them back
    // so that the reading shows what is really alive.
    malloc_trim(0);
    // Read whole: a /proc file reports a size of zero, so atEnd() is no use.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            bool ok = false;
            const long kb = line.mid(6).trimmed().split(' ').first().toLong(&ok);
            return ok ? kb : -1;
        }
    }
    return -1;
}

// The offscreen platform cannot raise a window and says so every time the
// wrong-answer window is shown; a hundred thousand of those would drown the
// log. Every other message goes through.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support raise()"))
        return;
    previousHandler(type, context, message);
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(quietHandler); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void manyQuestionsKeepMemoryFlat()
    {
        FormHarness h;
        h.showActive();
        // A few rows of each script, with doubled kana and Less Duplicates,
        // so that every branch of the presentation keeps being taken.
        for (int set : {0, 1, 5, 11, 16}) {
            h.katakana(set)->setChecked(true);
            h.hiragana(set)->setChecked(true);
        }
        h.check("chkDouble")->setChecked(true);
        h.check("chkDupes")->setChecked(true);
        h.check("TestMode")->setChecked(true);
        const int topLevelsAtStart = static_cast<int>(QApplication::topLevelWidgets().size());

        auto* show = h.button("Command1");
        auto* check = h.button("cmdcheck");
        auto* reveal = h.button("Command4");
        QLineEdit* box = h.answerBox();

        // The counts the window must end with, kept the way the learner would.
        std::int32_t correct = 0;
        std::int32_t missed = 0;
        long rssAfterWarmUp = -1;
        QElapsedTimer clock;
        clock.start();

        for (int question = 1; question <= kQuestions; ++question) {
            show->click();
            const std::string answer = h.state().answer;
            QVERIFY2(!answer.empty(), qPrintable(QString("question %1").arg(question)));
            QVERIFY(check->isEnabled());
            QCOMPARE(QApplication::focusWidget(), box);

            if (question % 7 == 0) {
                reveal->click();
                QCOMPARE(box->text(), QString::fromStdString(answer));
                if (correct != 0) {
                    --correct;
                    ++missed;
                }
                box->clear();
            }

            const bool right = question % 3 != 0;
            const QString typed = QString::fromStdString(right ? answer : answer + "q");
            QTest::keyClicks(box, typed);
            QCOMPARE(box->text(), typed);
            check->click();

            if (right) {
                ++correct;
                QCOMPARE(h.messages().texts, QStringList{"Correct! Lets try another one!"});
                QVERIFY(!h.form().wrongAnswerWindow());
                QVERIFY(h.form().isEnabled());
            } else {
                ++missed;
                QVERIFY(h.messages().texts.isEmpty());
                windows::Form2* wrong = h.form().wrongAnswerWindow();
                QVERIFY2(wrong, qPrintable(QString("question %1").arg(question)));
                QVERIFY(!h.form().isEnabled());
                wrong->button()->click();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY(!h.form().wrongAnswerWindow());
                QVERIFY(h.form().isEnabled());
                QVERIFY(check->isEnabled());
            }
            h.messages().texts.clear();
            // Whatever the windows posted (paints, moves) is handled as the
            // real event loop would between two clicks.
            QCoreApplication::processEvents();

            QCOMPARE(h.state().correct, correct);
            QCOMPARE(h.state().missed, missed);

            if (question == kWarmUp) {
                rssAfterWarmUp = residentKb();
                QVERIFY(rssAfterWarmUp > 0);
                qInfo("after %d questions: VmRSS %ld kB (%lld ms)", question, rssAfterWarmUp,
                      static_cast<long long>(clock.elapsed()));
            }
        }

        const long rssAtEnd = residentKb();
        QVERIFY(rssAtEnd > 0);
        const long growth = rssAtEnd - rssAfterWarmUp;
        qInfo("after %d questions: VmRSS %ld kB, %ld kB more than after the warm-up (%lld ms)", kQuestions, rssAtEnd,
              growth, static_cast<long long>(clock.elapsed()));

        QCOMPARE(h.label("lblcorrect"), QString::number(correct));
        QCOMPARE(h.label("lblmissed"), QString::number(missed));
        QCOMPARE(static_cast<int>(QApplication::topLevelWidgets().size()), topLevelsAtStart);
        QVERIFY(h.form().findChildren<windows::Form2*>().isEmpty());
        // Not run under AddressSanitizer: its quarantine keeps freed memory
        // resident, and LeakSanitizer covers leaks there.
        QVERIFY2(growth <= kAllowedGrowthKb,
                 qPrintable(QString("resident memory grew by %1 kB over %2 questions")
                                .arg(growth)
                                .arg(kQuestions - kWarmUp)));
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
