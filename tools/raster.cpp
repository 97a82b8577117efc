#include "raster.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

Coverage renderText(const QFont& font, const QString& text, int width, int height, int penX, int baseline)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addText(penX, baseline, font, text);
        p.fillPath(path, Qt::black);
    }
    Coverage c(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            c.at(x, y) = static_cast<std::uint8_t>(qAlpha(line[x]));
    }
    return c;
}

InkBox inkBox(const Coverage& c)
{
    InkBox box{c.width, c.height, -1, -1};
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (c.at(x, y) == 0)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

void blitColumns(Coverage& dst, const Coverage& src, int srcLeft, int srcRight, int dstX, int dy)
{
    for (int y = 0; y < src.height; ++y) {
        const int ty = y + dy;
        if (ty < 0 || ty >= dst.height)
            continue;
        for (int x = srcLeft; x <= srcRight; ++x) {
            const int tx = dstX + (x - srcLeft);
            if (tx < 0 || tx >= dst.width)
                continue;
            dst.at(tx, ty) = std::max(dst.at(tx, ty), src.at(x, y));
        }
    }
}
