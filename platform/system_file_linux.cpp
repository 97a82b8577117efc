#include "platform/system_file.h"

#include "catalogue/load_error.h"

#include <cctype>
#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::system_file {

using catalogue::LoadError;

namespace {

std::string SystemCause(int error)
{
    if (error == ENOENT)
        return "not found";
    std::string message = std::generic_category().message(error);
    if (!message.empty())
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    return "cannot be opened: " + message;
}

const char* NotAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a named pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    return "it is not a regular file";
}

} // namespace

// Non-blocking, so that a named pipe with no writer cannot hold the program
// up for good; the type is asked of the open file, links followed, so that
// nothing can change between the check and the read.
Handle OpenRegular(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw LoadError(file, SystemCause(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        throw LoadError(file, SystemCause(error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        throw LoadError(file, NotAFile(status.st_mode));
    }
    return fd;
}

std::size_t Read(Handle handle, const std::filesystem::path& file, char* data, std::size_t size)
{
    ssize_t got = 0;
    do {
        got = ::read(static_cast<int>(handle), data, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        throw LoadError(file, "cannot be read: " + std::generic_category().message(errno));
    return static_cast<std::size_t>(got);
}

void Close(Handle handle) noexcept
{
    ::close(static_cast<int>(handle));
}

} // namespace platform::system_file
