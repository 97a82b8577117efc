// Many questions through the real main window, wrong and right answers,
// reveals, doubled kana and the wrong-answer window: the score stays right,
// no window is left behind, and memory does not grow. The long run of this
// is a benchmark (bench/).

#include "form_harness.h"

#include <QApplication>
#include <QTest>

#include <malloc.h>

namespace {

// Resident memory in kB, with the blocks the allocator keeps handed back.
long residentKb()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void manyQuestions()
    {
        FormHarness h;
        h.showActive();
        for (int set : {0, 1, 5, 11, 16}) {
            h.katakana(set)->setChecked(true);
            h.hiragana(set)->setChecked(true);
        }
        for (const char* option : {"chkDouble", "chkDupes", "TestMode"})
            h.check(option)->setChecked(true);
        const auto topLevels = QApplication::topLevelWidgets().size();
        std::int32_t correct = 0;
        std::int32_t missed = 0;
        long warm = 0;
        for (int question = 1; question <= 3000; ++question) {
            h.button("Command1")->click();
            if (question % 7 == 0) {
                h.button("Command4")->click();
                if (correct != 0) {
                    --correct;
                    ++missed;
                }
            }
            const bool right = question % 3 != 0;
            h.answerBox()->setText(QString::fromStdString(h.state().answer + (right ? "" : "q")));
            h.button("cmdcheck")->click();
            if (right) {
                ++correct;
            } else {
                ++missed;
                QVERIFY(h.form().wrongAnswerWindow());
                QTest::keyClick(h.form().wrongAnswerWindow()->button(), Qt::Key_Return);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            QCoreApplication::processEvents();
            if (question == 500)
                warm = residentKb();
        }
        QCOMPARE(h.label("lblcorrect"), QString::number(correct));
        QCOMPARE(h.label("lblmissed"), QString::number(missed));
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
        QVERIFY(h.form().isEnabled());
#if !defined(__SANITIZE_ADDRESS__) // its quarantine keeps freed memory resident
        QVERIFY2(residentKb() - warm < 512, qPrintable(QString("grew by %1 kB").arg(residentKb() - warm)));
#endif
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
