#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto app = windows::OpenApplication(argc, argv);
    windows::ConfigureApplication(*app);
    return windows::RunQuelvane();
}
