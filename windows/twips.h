#pragma once

#include <QRect>

#include <cmath>

namespace windows {

// Every form is laid out in twips (1/1440 inch); this is the one place that
// turns them into device-independent pixels: 15 twips to a pixel at 96 dpi.
inline constexpr double kTwipsPerPixel = 15.0;

inline int ToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double ToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// Edges are converted and the size taken from their difference, so that
// neighbouring controls stay neighbours however the rounding falls.
inline QRect ToPixelRect(double left, double top, double width, double height)
{
    const int x = ToPixels(left);
    const int y = ToPixels(top);
    return QRect(x, y, ToPixels(left + width) - x, ToPixels(top + height) - y);
}

} // namespace windows
