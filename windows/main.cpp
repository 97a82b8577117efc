#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto app = windows::OpenApplication(argc, argv);
    return windows::RunQuelvane();
}
