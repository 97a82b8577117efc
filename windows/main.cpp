#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    windows::ConfigureApplication(app);
    return windows::RunQuelvane();
}
