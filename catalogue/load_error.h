#pragma once

#include "catalogue/path_text.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace catalogue {

// A data file that cannot serve: carries the file and the cause so that the
// one place that reports it can name both.
class LoadError : public std::runtime_error {
public:
    LoadError(std::filesystem::path file, std::string cause)
        : std::runtime_error(PathText(file) + ": " + cause)
        , file_(std::move(file))
        , cause_(std::move(cause))
    {
    }

    const std::filesystem::path& file() const { return file_; }
    const std::string& cause() const { return cause_; }

private:
    std::filesystem::path file_;
    std::string cause_;
};

} // namespace catalogue
