#pragma once

#include <QString>

#include <array>

// Every picture is drawn once more at twice the resolution for displays at
// 200 %, under the name Qt looks for beside the plain file: a.gif, a@2x.gif.
inline constexpr std::array<int, 2> kPictureScales{1, 2};

inline QString ScaledFileName(const QString& stem, const QString& suffix, int scale)
{
    if (scale == 1)
        return stem + suffix;
    return stem + u'@' + QString::number(scale) + u'x' + suffix;
}
