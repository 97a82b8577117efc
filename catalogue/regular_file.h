#pragma once

#include "platform/system_file.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <streambuf>
#include <string>

namespace catalogue {

// A data file opened for reading, refused unless it is a regular file once
// links are followed. Opening never blocks: a named pipe with no writer, a
// device or a socket would otherwise hold the program up for good or feed it
// without end. Every failure is a LoadError naming the absolute path and the
// cause the system gives.
class RegularFile {
public:
    explicit RegularFile(const std::filesystem::path& file);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Reads on demand; a read error is thrown as a LoadError.
    std::streambuf& buffer();

    // The whole file, refused once it proves longer than `maxBytes`,
    // whatever size the system reports for it.
    std::string readAll(std::size_t maxBytes, const std::string& whatItHolds);

private:
    class Buffer;

    std::filesystem::path file_;
    platform::system_file::Handle handle_;
    std::unique_ptr<Buffer> buffer_;
};

} // namespace catalogue
