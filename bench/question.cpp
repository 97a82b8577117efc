// One question at a time, inside one process, on the shipped data with every
// row of both scripts ticked. Each iteration is timed on its own with a
// steady clock; the figure is the median.
//
//   presenting a kana     Form1::Command1_Click in study mode: choose, load the
//                         picture, place it and the answer
//   ... to painted        the same, then the event loop until the new kana
//                         has been painted
//   checking an answer    test mode: the right answer typed, then
//                         Form1::cmdcheck_Click with a message box that returns
//                         at once; this presents the next kana too
//
// Usage: bench_question [--iterations N]   (default 10000)

#include "drive_window.h"
#include "paint_counter.h"
#include "table.h"
#include "windows/startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Runs `step` `iterations` times, each timed alone, after a short untimed
// warm-up. Between steps the event loop runs untimed, so that the window is
// painted as it would be between two clicks and no repaint piles up.
std::vector<double> Measure(long iterations, const std::function<void()>& step)
{
    for (int i = 0; i < 200; ++i) {
        step();
        QCoreApplication::processEvents();
    }
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(iterations));
    for (long i = 0; i < iterations; ++i) {
        const auto start = Clock::now();
        step();
        const auto end = Clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        QCoreApplication::processEvents();
    }
    return micros;
}

void Report(const char* what, const std::vector<double>& micros, bool withTarget)
{
    const double median = bench::Median(micros);
    bench::Row(what, bench::Format("%.1f µs", median),
               bench::Format("p10 %.1f", bench::Percentile(micros, 0.1)) +
                   bench::Format(" – p90 %.1f", bench::Percentile(micros, 0.9)),
               micros.size(), withTarget ? "< 200 µs" : "", withTarget ? bench::Verdict(median < 200.0) : "");
}

} // namespace

int main(int argc, char* argv[])
{
    const long iterations = std::max(1L, bench::Option(argc, argv, "--iterations", 10'000));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const auto app = windows::OpenApplication(argc, argv);
    FormHarness window;
    bench::ShowActive(window);
    windows::Form1& form = window.form();
    auto& answerBox = bench::Control<QLineEdit>(window, QStringLiteral("txtKananame"));
    bench::Control<QPushButton>(window, QStringLiteral("Command9")).click(); // every row of both scripts
    bench::PaintCounter kanaPaints(bench::Control<QLabel>(window, QStringLiteral("imgKana")));

    Report("Presenting a kana, study mode: Command1_Click",
           Measure(iterations, [&] { form.Command1_Click(); }), true);

    // A picture that has not changed its place may be painted only once the
    // whole window is; the loop is bounded so that a paint that never comes
    // shows as a slow figure, not a hang.
    Report("Presenting a kana, study mode: Command1_Click until painted", Measure(iterations, [&] {
               const int before = kanaPaints.paints;
               form.Command1_Click();
               for (int i = 0; i < 1000 && kanaPaints.paints == before; ++i)
                   QCoreApplication::processEvents();
           }),
           true);

    bench::Control<QCheckBox>(window, QStringLiteral("TestMode")).setChecked(true);
    form.Command1_Click();
    const int correctBefore = form.state().correct;
    auto check = [&] {
        answerBox.setText(QString::fromStdString(form.state().answer));
        form.cmdcheck_Click();
    };
    const auto checks = Measure(iterations, check);
    Report("Checking a right answer, test mode: type + cmdcheck_Click (presents the next kana)", checks, true);
    if (form.state().correct - correctBefore != iterations + 200) {
        bench::Fail(QStringLiteral("only %1 of %2 answers were counted right")
                        .arg(form.state().correct - correctBefore)
                        .arg(iterations + 200));
    }
    return 0;
}
