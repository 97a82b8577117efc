#include "child_streams.h"

#include <QProcess>

#include <unistd.h>

bool startWithStreamsClosed(QProcess& process)
{
    process.setChildProcessModifier([] {
        for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
            ::close(fd);
    });
    return true;
}

bool startWithErrorBroken(QProcess& process)
{
    process.setChildProcessModifier([] {
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], STDERR_FILENO);
            ::close(ends[1]);
        }
    });
    return true;
}
