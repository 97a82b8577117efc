// How sharp the kana picture looks at a given display scale: the main window
// at QT_SCALE_FACTOR=N presents kana after kana, and each one, once painted,
// is read back in device pixels and its grey pixels counted (grey_edges.h).
// The figure is the median, over the kana, of edge pixels per ink pixel.
//
// Usage: bench_sharpness [--scale N] [--kana N]   (default 2 and 20)
// The platform is whatever QT_QPA_PLATFORM says (offscreen when unset); the
// scale is set here, before the application reads it.

#include "drive_window.h"
#include "grey_edges.h"
#include "paint_counter.h"
#include "table.h"
#include "windows/startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <string>
#include <vector>

namespace {

// The kana picture as the learner sees it, in device pixels. Under X11 it is
// read back from the screen, as a screenshot would be. The offscreen platform
// of Qt 6.4 clips a read-back of a scaled window to the window's unscaled
// size, so there the label paints itself again, through the same paint code,
// into a picture of the window's device pixel ratio.
QImage ShownKana(QLabel& kana, double scale)
{
    const QWidget& window = *kana.window();
    const QRect area(kana.mapTo(&window, QPoint(0, 0)), kana.size());
    const QImage shot =
        QGuiApplication::platformName() == QLatin1String("offscreen")
            ? kana.grab().toImage()
            : window.screen()->grabWindow(window.winId(), area.x(), area.y(), area.width(), area.height()).toImage();
    // A picture at the wrong resolution would be some other picture than the
    // one the learner sees.
    const QSize expected = area.size() * scale;
    if (shot.size() != expected) {
        bench::Fail(QStringLiteral("the kana came back as %1 x %2 pixels, not %3 x %4 device pixels")
                        .arg(shot.width())
                        .arg(shot.height())
                        .arg(expected.width())
                        .arg(expected.height()));
    }
    return shot;
}

} // namespace

int main(int argc, char* argv[])
{
    const long scale = std::max(1L, bench::Option(argc, argv, "--scale", 2));
    const long kana = std::max(1L, bench::Option(argc, argv, "--kana", 20));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));

    const auto app = windows::OpenApplication(argc, argv);
    FormHarness window;
    bench::ShowActive(window);
    if (window.form().devicePixelRatio() != static_cast<double>(scale))
        bench::Fail(QStringLiteral("the window is drawn at %1 device pixels a pixel, not %2")
                        .arg(window.form().devicePixelRatio())
                        .arg(scale));
    bench::Control<QPushButton>(window, QStringLiteral("Command9")).click(); // every row of both scripts
    // Fewer repeats, so that the sample holds more different kana.
    bench::Control<QCheckBox>(window, QStringLiteral("chkDupes")).setChecked(true);
    auto& picture = bench::Control<QLabel>(window, QStringLiteral("imgKana"));
    bench::PaintCounter paints(picture);

    std::vector<double> edgesPerInk;
    for (long i = 0; i < kana; ++i) {
        const int before = paints.paints;
        window.form().Command1_Click();
        if (static_cast<int>(window.messages().texts.size()) != 0)
            bench::Fail(QStringLiteral("the main window said: %1").arg(window.messages().texts.last()));
        if (!QTest::qWaitFor([&] { return paints.paints > before; }))
            bench::Fail(QStringLiteral("kana %1 was never painted").arg(i + 1));
        // The paint is flushed to the screen once the whole pass is over.
        QCoreApplication::processEvents();
        const bench::GreyCounts counts = bench::CountGreys(ShownKana(picture, static_cast<double>(scale)));
        if (counts.ink == 0)
            bench::Fail(QStringLiteral("kana %1 (%2) left no ink on the screen")
                            .arg(i + 1)
                            .arg(QString::fromStdString(window.form().state().answer)));
        edgesPerInk.push_back(static_cast<double>(counts.edge) / static_cast<double>(counts.ink));
    }

    const double median = bench::Median(edgesPerInk);
    const bool targeted = scale == 2;
    bench::Row("Kana picture sharpness at scale " + std::to_string(scale) + ": grey edge pixels / ink pixels",
               bench::Format("%.2f", median),
               bench::Format("p10 %.2f", bench::Percentile(edgesPerInk, 0.1)) +
                   bench::Format(" – p90 %.2f", bench::Percentile(edgesPerInk, 0.9)),
               edgesPerInk.size(), targeted ? "≤ 0.35" : "", targeted ? bench::Verdict(median <= 0.35) : "");
    return 0;
}
