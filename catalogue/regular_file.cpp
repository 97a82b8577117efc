#include "catalogue/regular_file.h"

#include "catalogue/load_error.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace catalogue {

namespace {

std::string systemCause(int error)
{
    if (error == ENOENT)
        return "not found";
    std::string message = std::generic_category().message(error);
    if (!message.empty())
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    return "cannot be opened: " + message;
}

const char* notAFile(mode_t mode)
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

class RegularFile::Buffer : public std::streambuf {
public:
    Buffer(int fd, const std::filesystem::path& file)
        : fd_(fd)
        , file_(file)
    {
    }

protected:
    int_type underflow() override
    {
        ssize_t got = 0;
        do {
            got = ::read(fd_, chunk_.data(), chunk_.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0)
            throw LoadError(file_, "cannot be read: " + std::generic_category().message(errno));
        if (got == 0)
            return traits_type::eof();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + got);
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    int fd_;
    const std::filesystem::path& file_;
    // List files are small: a page is plenty, and it is never filled ahead.
    std::array<char, 4096> chunk_;
};

RegularFile::RegularFile(const std::filesystem::path& file)
    : file_(std::filesystem::absolute(file))
{
    if (file_.native().find('\0') != std::string::npos)
        throw LoadError(file_, "its name holds a NUL character");
    fd_ = ::open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0)
        throw LoadError(file_, systemCause(errno));
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        const int error = errno;
        ::close(fd_);
        throw LoadError(file_, systemCause(error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd_);
        throw LoadError(file_, notAFile(status.st_mode));
    }
    buffer_ = std::make_unique<Buffer>(fd_, file_);
}

RegularFile::~RegularFile()
{
    ::close(fd_);
}

std::streambuf& RegularFile::buffer()
{
    return *buffer_;
}

std::string RegularFile::readAll(std::size_t maxBytes, const std::string& whatItHolds)
{
    std::string bytes;
    std::array<char, 64 * 1024> chunk; // filled by each read before it is used
    for (;;) {
        const auto got = static_cast<std::size_t>(buffer_->sgetn(chunk.data(), chunk.size()));
        if (bytes.size() + got > maxBytes)
            throw LoadError(file_, "it is longer than " + std::to_string(maxBytes) + " bytes, more than " + whatItHolds);
        bytes.append(chunk.data(), got);
        if (got < chunk.size())
            return bytes;
    }
}

} // namespace catalogue
