#include "raster.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <stdexcept>

Coverage RenderGlyph(const QFont& font, const QString& text, const GlyphScratch& scratch, int scale)
{
    if (font.pixelSize() <= 0 || scale < 1)
        throw std::logic_error("glyphs are drawn from a pixel-sized font at a whole scale");
    QFont scaled = font;
    scaled.setPixelSize(font.pixelSize() * scale);
    const int width = scratch.width * scale;
    const int height = scratch.height * scale;

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addText(scratch.penX * scale, scratch.baseline * scale, scaled, text);
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

bool Blit(Coverage& dst, const Coverage& src, int dx, int dy)
{
    bool whole = true;
    for (int y = 0; y < src.height; ++y) {
        const int ty = y + dy;
        for (int x = 0; x < src.width; ++x) {
            const auto a = src.at(x, y);
            if (a == 0)
                continue;
            const int tx = x + dx;
            if (tx < 0 || tx >= dst.width || ty < 0 || ty >= dst.height) {
                whole = false;
                continue;
            }
            dst.at(tx, ty) = std::max(dst.at(tx, ty), a);
        }
    }
    return whole;
}
