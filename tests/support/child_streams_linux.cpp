#include "tests/support/child_streams.h"

#include <QProcess>

#include <unistd.h>

bool StartWith(QProcess& process, ChildStreams streams)
{
    process.setChildProcessModifier([streams] {
        int ends[2];
        if (streams == ChildStreams::ErrorBroken && ::pipe(ends) == 0 && ::close(ends[0]) == 0)
            ::dup2(ends[1], STDERR_FILENO);
        for (int fd = STDIN_FILENO; streams == ChildStreams::Closed && fd <= STDERR_FILENO; ++fd)
            ::close(fd);
    });
    return true;
}
