// The program's own start-up, with one addition: the process ends once the
// main window has been painted.
#include "first_paint.h"

#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    windows::ConfigureApplication(app);
    new FirstPaintExit(app);
    return windows::RunQuelvane();
}
