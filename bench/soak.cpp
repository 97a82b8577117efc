// A long run of questions through the real main window, as a learner would
// answer them: right, wrong (the wrong-answer window opened and closed) and
// revealed, with doubled kana and Less Duplicates on, so that every branch of
// the presentation keeps being taken. It reports how much resident memory grew
// after the warm-up and how many windows were left behind.
//
// Usage: bench_soak [--questions N] [--warmup N]   (default 100000 and 5000)

#include "drive_window.h"
#include "table.h"
#include "tests/support/self_report.h"
#include "windows/startup.h"

#include "windows/form1_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>


#include <chrono>
#include <string>

namespace {

// The offscreen platform cannot raise a window and says so every time the
// wrong-answer window is shown; a hundred thousand of those would drown the
// table. Every other message goes through.
QtMessageHandler previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support raise()"))
        return;
    previousHandler(type, context, message);
}

int TopLevelCount()
{
    return static_cast<int>(QApplication::topLevelWidgets().size());
}

} // namespace

int main(int argc, char* argv[])
{
    const long questions = std::max(1L, bench::Option(argc, argv, "--questions", 100'000));
    const long warmUp = std::clamp(bench::Option(argc, argv, "--warmup", 5'000), 1L, questions);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(QuietHandler);

    const auto app = windows::OpenApplication(argc, argv);
    FormHarness window;
    bench::ShowActive(window);
    windows::Form1& form = window.form();
    for (int set : {0, 1, 5, 11, 16}) {
        bench::Control<QCheckBox>(window, windows::SetBoxName(QStringLiteral("displaykatakana"), set)).setChecked(true);
        bench::Control<QCheckBox>(window, windows::SetBoxName(QStringLiteral("displayHira"), set)).setChecked(true);
    }
    for (const char* box : {"chkDouble", "chkDupes", "TestMode"})
        bench::Control<QCheckBox>(window, QString::fromLatin1(box)).setChecked(true);
    auto& show = bench::Control<QPushButton>(window, QStringLiteral("Command1"));
    auto& check = bench::Control<QPushButton>(window, QStringLiteral("cmdcheck"));
    auto& reveal = bench::Control<QPushButton>(window, QStringLiteral("Command4"));
    auto& answerBox = bench::Control<QLineEdit>(window, QStringLiteral("txtKananame"));
    const int topLevelsAtStart = TopLevelCount();

    // The counts the window must end with, kept the way the learner would.
    std::int32_t correct = 0;
    std::int32_t missed = 0;
    long praised = 0;
    long rssAfterWarmUp = 0;
    const auto start = std::chrono::steady_clock::now();

    for (long question = 1; question <= questions; ++question) {
        show.click();
        const std::string answer = form.state().answer;
        if (answer.empty() || !check.isEnabled())
            bench::Fail(QStringLiteral("question %1 was not presented").arg(question));

        if (question % 7 == 0) {
            reveal.click();
            if (correct != 0) {
                --correct;
                ++missed;
            }
            answerBox.clear();
        }

        const bool right = question % 3 != 0;
        QTest::keyClicks(&answerBox, QString::fromStdString(right ? answer : answer + "q"));
        check.click();
        if (!right) {
            ++missed;
            windows::Form2* wrong = form.wrongAnswerWindow();
            if (!wrong)
                bench::Fail(QStringLiteral("question %1: no wrong-answer window").arg(question));
            wrong->button()->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            ++correct;
        }
        // Whatever the windows posted (paints, moves) is handled as the real
        // event loop would between two clicks.
        QCoreApplication::processEvents();
        // Counted and let go, so that the record of them is no growth.
        praised += window.messages().texts.size();
        window.messages().texts.clear();

        if (question == warmUp)
            rssAfterWarmUp = ResidentKb();
    }
    const long rssAtEnd = ResidentKb();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // Answers that went astray would make the memory figure one of some
    // other run than the one described.
    const long rightAnswers = questions - questions / 3;
    if (form.state().correct != correct || form.state().missed != missed ||
        bench::Control<QLabel>(window, QStringLiteral("lblcorrect")).text() != QString::number(correct) ||
        bench::Control<QLabel>(window, QStringLiteral("lblmissed")).text() != QString::number(missed) ||
        praised != rightAnswers) {
        bench::Fail(QStringLiteral("the score went astray: %1 right and %2 missed (expected %3 and %4), %5 of %6 "
                                   "answers praised")
                        .arg(form.state().correct)
                        .arg(form.state().missed)
                        .arg(correct)
                        .arg(missed)
                        .arg(praised)
                        .arg(rightAnswers));
    }

    const long growth = rssAtEnd - rssAfterWarmUp;
    const auto counted = static_cast<std::size_t>(questions - warmUp);
    bench::Row("Soak: resident memory growth over the questions after the first " + std::to_string(warmUp) +
                   " (VmRSS)",
               bench::Format("%+.0f kB", static_cast<double>(growth)),
               bench::Format("%.0f", static_cast<double>(rssAfterWarmUp)) +
                   bench::Format(" → %.0f kB", static_cast<double>(rssAtEnd)) +
                   bench::Format(", %.0f s in all", seconds),
               counted, "≤ 1024 kB", bench::Verdict(growth <= 1024));
    const int stranded = TopLevelCount() - topLevelsAtStart;
    bench::Row("Soak: top-level windows left over at the end", bench::Format("%.0f", stranded), "",
               static_cast<std::size_t>(questions), "0", bench::Verdict(stranded == 0));
    return 0;
}
