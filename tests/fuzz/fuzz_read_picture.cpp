// Feeds arbitrary bytes, written to a file, to ReadPicture as the program
// reads a kana picture: the real structure checks, then the toolkit's
// decoders. A picture shown must have pixels, within the bound; a
// decoder that takes more memory than the bounds allow is stopped by
// -malloc_limit_mb and -rss_limit_mb, and one slower than the time bound by
// -timeout (scripts/test.sh).

#include "catalogue/path_text.h"
#include "catalogue/picture_size.h"
#include "widgets/picture_file.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include <unistd.h>

namespace {

std::filesystem::path pictureFile;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_read_picture";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // for the whole run: the image plugins are the application's
    pictureFile = std::filesystem::temp_directory_path() / ("quelvane-fuzz-" + std::to_string(::getpid()) + ".gif");
    std::atexit([] { std::filesystem::remove(pictureFile); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::ofstream(pictureFile, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const auto picture = widgets::ReadPicture(catalogue::PathText(pictureFile));
    const QImage* image = std::get_if<QImage>(&picture);
    if (image && (image->isNull() || std::uint64_t(image->width()) * std::uint64_t(image->height()) > catalogue::kMaxPicturePixels))
        std::abort();
    return 0;
}
