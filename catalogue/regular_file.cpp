#include "catalogue/regular_file.h"

#include "catalogue/load_error.h"

#include <array>
#include <memory>

namespace catalogue {

namespace system_file = platform::system_file;

class RegularFile::Buffer : public std::streambuf {
public:
    Buffer(system_file::Handle handle, const std::filesystem::path& file)
        : handle_(handle)
        , file_(file)
    {
    }

protected:
    int_type underflow() override
    {
        const std::size_t got = system_file::Read(handle_, file_, chunk_.data(), chunk_.size());
        if (got == 0)
            return traits_type::eof();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + got);
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    system_file::Handle handle_;
    const std::filesystem::path& file_;
    // List files are small: a page is plenty, and it is never filled ahead.
    std::array<char, 4096> chunk_;
};

namespace {

// A NUL would silently cut the name short on its way to the system.
const std::filesystem::path& WithoutNul(const std::filesystem::path& file)
{
    if (file.native().find(std::filesystem::path::value_type {}) != std::filesystem::path::string_type::npos)
        throw LoadError(file, "its name holds a NUL character");
    return file;
}

} // namespace

RegularFile::RegularFile(const std::filesystem::path& file)
    : file_(std::filesystem::absolute(file))
    , handle_(system_file::OpenRegular(WithoutNul(file_)))
    , buffer_(std::make_unique<Buffer>(handle_, file_))
{
}

RegularFile::~RegularFile()
{
    system_file::Close(handle_);
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
