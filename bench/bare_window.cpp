// The yardstick for Quelvane's start-up: the same application set-up and a
// window of the main window's size holding one line of text. The first text a
// process lays out makes Qt read the system's font configuration and load a
// font; an empty window would leave that out and make any window with a
// caption look slow.
#include "first_paint.h"

#include "windows/form1_layout.h"
#include "windows/startup.h"
#include "windows/twips.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    windows::ConfigureApplication(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quelvane"));
    window.setFixedSize(windows::ToPixels(windows::kForm1Width), windows::ToPixels(windows::kForm1Height));
    QLabel caption(QStringLiteral("Kana Window"), &window);
    caption.move(8, 8);
    new FirstPaintExit(app);
    window.show();
    return QApplication::exec();
}
