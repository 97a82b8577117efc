#include "platform/standard_streams.h"

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

void SecureStandardStreams()
{
    // open() takes the lowest free number, so each closed one is filled in turn.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", O_RDWR) == -1)
            break; // nothing better to offer; the streams then stay closed
    }
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace platform
