#include "gif_file.h"

#include <gif_lib.h>

#include <QFile>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void fail(const QString& path, const char* step, int code)
{
    throw std::runtime_error(path.toStdString() + ": " + step + ": " + GifErrorString(code));
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

int ColourBits(std::size_t colours)
{
    int bits = 1;
    while ((std::size_t{1} << bits) < colours)
        ++bits;
    return bits;
}

} // namespace

void WriteGif(const QString& path, const IndexedImage& image)
{
    if (image.palette.empty() || image.palette.size() > 256)
        throw std::runtime_error(path.toStdString() + ": palette must hold 1 to 256 colours");
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        throw std::runtime_error(path.toStdString() + ": pixel count does not match the size");
    for (const auto index : image.pixels) {
        if (index >= image.palette.size())
            throw std::runtime_error(path.toStdString() + ": pixel outside the palette");
    }

    // giflib wants a power-of-two colour table; unused slots stay black.
    const int bits = ColourBits(image.palette.size());
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(1 << bits, nullptr));
    if (!map)
        throw std::runtime_error("out of memory for the GIF colour map");
    for (std::size_t i = 0; i < image.palette.size(); ++i) {
        map->Colors[i].Red = static_cast<GifByteType>(qRed(image.palette[i]));
        map->Colors[i].Green = static_cast<GifByteType>(qGreen(image.palette[i]));
        map->Colors[i].Blue = static_cast<GifByteType>(qBlue(image.palette[i]));
    }

    int error = 0;
    const QByteArray fileName = QFile::encodeName(path);
    GifFileType* gif = EGifOpenFileName(fileName.constData(), false, &error);
    if (!gif)
        fail(path, "open", error);

    auto check = [&](int result, const char* step) {
        if (result == GIF_OK)
            return;
        const int code = gif->Error;
        EGifCloseFile(gif, &error);
        fail(path, step, code);
    };

    // Transparency needs the 89a graphic control block; opaque pictures stay 87a.
    EGifSetGifVersion(gif, image.transparentIndex >= 0);
    check(EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map.get()), "screen descriptor");
    if (image.transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = image.transparentIndex;
        GifByteType extension[4];
        const auto length = EGifGCBToExtension(&gcb, extension);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension), "control block");
    }
    check(EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr), "image descriptor");
    std::vector<GifPixelType> row(static_cast<std::size_t>(image.width));
    for (int y = 0; y < image.height; ++y) {
        const auto* src = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        row.assign(src, src + image.width);
        check(EGifPutLine(gif, row.data(), image.width), "pixels");
    }
    if (EGifCloseFile(gif, &error) != GIF_OK)
        fail(path, "close", error);
    // giflib creates its files readable by their owner alone; the data is
    // installed for every user.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                    | QFileDevice::ReadOther);
}
