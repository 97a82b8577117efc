#include "windows/standard_streams.h"
#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    windows::SecureStandardStreams();
    const auto app = windows::OpenApplication(argc, argv);
    return windows::RunQuelvane();
}
