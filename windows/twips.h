#pragma once

#include <QRect>

#include <cmath>

namespace windows {

// Every form is laid out in twips (1/1440 inch); this is the one place that
// turns them into device-independent pixels: 15 twips to a pixel at 96 dpi.
inline constexpr double kTwipsPerPixel = 15.0;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double toTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// Edges are converted and the size taken from their difference, so that
// neighbouring controls stay neighbours however the rounding falls.
inline QRect toPixelRect(double left, double top, double width, double height)
{
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

} // namespace windows
