#include "platform/standard_streams.h"
#include "windows/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::SecureStandardStreams();
    const auto app = windows::OpenApplication(argc, argv);
    return windows::RunQuelvane();
}
