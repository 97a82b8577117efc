// The least a Qt program of this look can do: the same application set-up
// and one empty window of the main window's size. Quelvane's start-up is
// measured against this.
//
// Built a second time with BENCH_ONE_CAPTION, the window holds one line of
// text. The first text a process lays out makes Qt read the system's font
// configuration and load a font, which the empty window never does; that
// copy tells the price of showing any text at all from the price of
// Quelvane's own window.
#include "first_paint.h"

#include "windows/form1_layout.h"
#include "windows/startup.h"
#include "windows/twips.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    NoteMainEntered();
    const bool report = ReportRequested(argc, argv);

    QApplication app(argc, argv);
    windows::ConfigureApplication(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quelvane"));
    window.setFixedSize(windows::toPixels(windows::kForm1Width), windows::toPixels(windows::kForm1Height));
#ifdef BENCH_ONE_CAPTION
    QLabel caption(QStringLiteral("Kana Window"), &window);
    caption.move(8, 8);
#endif
    new FirstPaintExit(app, report);
    window.show();
    return QApplication::exec();
}
