#include "ramp_image.h"

#include <stdexcept>

IndexedImage RampImage(const Coverage& coverage, QRgb paper, QRgb ink, int levels)
{
    if (levels < 2 || levels > 256)
        throw std::logic_error("a palette ramp has 2 to 256 levels");
    const int steps = levels - 1;

    IndexedImage out;
    out.width = coverage.width;
    out.height = coverage.height;
    for (int step = 0; step < levels; ++step) {
        auto channel = [&](int a, int b) { return (a * (steps - step) + b * step + steps / 2) / steps; };
        out.palette.push_back(qRgb(channel(qRed(paper), qRed(ink)), channel(qGreen(paper), qGreen(ink)),
                                   channel(qBlue(paper), qBlue(ink))));
    }
    out.pixels.reserve(coverage.alpha.size());
    for (const auto a : coverage.alpha)
        out.pixels.push_back(static_cast<std::uint8_t>((a * steps + 127) / 255));
    return out;
}
