#include "tests/support/self_report.h"

#include "tests/support/test_data.h"

#include <malloc.h>

qint64 SelfReport(const char* file, const QByteArray& key)
{
    for (const QByteArray& line : ReadFile(QStringLiteral("/proc/self/") + file).split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

qint64 ResidentKb()
{
    malloc_trim(0);
    return SelfReport("status", "VmRSS:");
}
