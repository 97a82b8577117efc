#include "tests/support/self_report.h"

// Windows keeps no /proc; the checks that need these reports run on Linux.
qint64 SelfReport(const char*, const QByteArray&)
{
    return -1;
}

qint64 ResidentKb()
{
    return -1;
}
