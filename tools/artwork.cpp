#include "artwork.h"

#include "gif_file.h"
#include "ico_file.h"
#include "output_files.h"
#include "picture_scale.h"
#include "ramp_image.h"
#include "raster.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace {

const QColor kPaper(0xf2, 0xea, 0xd8);
const QColor kInk(0x24, 0x22, 0x20);
const QColor kVermilion(0xc0, 0x2a, 0x22);

// The artwork has to come out identical on every run and every library
// version, which the standard distributions do not promise; a fixed xorshift does.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}

    double unit()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 4294967296.0;
    }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    std::uint32_t state_;
};

QByteArray Encoded(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode " + std::string(format) + ": " + writer.errorString().toStdString());
    return bytes;
}

// Centres the ink of the text on the point, whatever the font's side bearings.
void DrawGlyph(QPainter& p, const QFont& font, const QString& text, QPointF centre, const QBrush& brush,
               const QPen& rim = Qt::NoPen)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    if (rim.style() != Qt::NoPen)
        p.strokePath(path, rim);
    p.fillPath(path, brush);
}

void PaintPaper(QPainter& p, QSizeF design, std::uint32_t seed)
{
    const QRectF all(QPointF(0, 0), design);

    QRadialGradient shade(all.center(), std::hypot(all.width(), all.height()) * 0.62);
    shade.setColorAt(0.0, QColor(255, 255, 255, 40));
    shade.setColorAt(0.6, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(90, 60, 20, 70));
    p.fillRect(all, shade);

    // Short fibres, the way handmade paper looks up close.
    Noise rnd(seed);
    const int fibres = static_cast<int>(all.width() * all.height() / 90);
    for (int i = 0; i < fibres; ++i) {
        const QPointF start(rnd.range(0, all.width()), rnd.range(0, all.height()));
        const double angle = rnd.range(0, 2 * std::numbers::pi);
        const double length = rnd.range(3, 14);
        const QPointF end = start + QPointF(std::cos(angle), std::sin(angle)) * length;
        const QPointF bend = (start + end) / 2 + QPointF(rnd.range(-2, 2), rnd.range(-2, 2));
        QPainterPath fibre(start);
        fibre.quadTo(bend, end);
        const bool dark = rnd.unit() < 0.6;
        const QColor c = dark ? QColor(120, 95, 60, static_cast<int>(rnd.range(10, 34)))
                              : QColor(255, 252, 240, static_cast<int>(rnd.range(30, 70)));
        p.strokePath(fibre, QPen(c, rnd.range(0.4, 1.1), Qt::SolidLine, Qt::RoundCap));
    }
}

// The window art is drawn in design units that the painter maps onto the whole
// file, so the one drawing serves every resolution and any file proportions.
void StartArtwork(QImage& image, QPainter& p, QSizeF design, std::uint32_t paperSeed)
{
    image.fill(kPaper);
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(image.width() / design.width(), image.height() / design.height());
    PaintPaper(p, design, paperSeed);
}

// One loaded brush dragged along the points. Where it is full of ink it
// paints a solid band; towards the end it runs dry and only single bristles
// still reach the paper, each giving out at its own place.
void BrushStroke(QPainter& p, const std::vector<QPointF>& spine, double width, const QColor& ink, Noise& rnd)
{
    const auto n = spine.size();
    std::vector<QPointF> normals;
    std::vector<double> widths;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(n - 1);
        QPointF dir = spine[i + 1 == n ? i : i + 1] - spine[i == 0 ? 0 : i - 1];
        dir /= std::hypot(dir.x(), dir.y());
        normals.emplace_back(-dir.y(), dir.x());
        widths.push_back(width * (t < 0.06 ? 0.8 + 0.2 * t / 0.06 : 1.0 - 0.22 * t));
    }
    auto at = [&](std::size_t i, double across) { return spine[i] + normals[i] * (across * widths[i]); };

    const auto loaded = static_cast<std::size_t>(static_cast<double>(n) * 0.5);
    QPainterPath body(at(0, 0.5));
    for (std::size_t i = 1; i < loaded; ++i)
        body.lineTo(at(i, 0.5));
    for (std::size_t i = loaded; i-- > 0;)
        body.lineTo(at(i, -0.5));
    body.closeSubpath();
    QPainterPath press;
    press.addEllipse(spine.front(), widths.front() * 0.62, widths.front() * 0.56);
    p.fillPath(body.united(press), ink);

    constexpr int bristles = 36;
    const double bristleWidth = width / bristles * 1.7;
    for (int k = 0; k < bristles; ++k) {
        const double across = (k + 0.5) / bristles - 0.5 + rnd.range(-0.008, 0.008);
        // The edge bristles hold the least ink and give out first.
        const double reach = 1.0 - rnd.unit() * 0.4 * (0.25 + 1.5 * std::abs(across));
        const auto end = static_cast<std::size_t>(static_cast<double>(n - 1) * reach);
        bool dry = false;
        for (std::size_t i = 1; i <= end; ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(n - 1);
            if (t > 0.55)
                dry = dry ? rnd.unit() < 0.6 : rnd.unit() < 0.05;
            if (dry)
                continue;
            const double thin = t < 0.5 ? 1.0 : 1.0 - 0.7 * (t - 0.5) / 0.5;
            p.setPen(QPen(ink, bristleWidth * thin, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at(i - 1, across), at(i, across));
        }
    }

    // A few drops flicked off where the brush came down.
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (int drop = 0; drop < 5; ++drop) {
        const double r = rnd.range(0.8, 2.4);
        p.drawEllipse(spine.front() + QPointF(rnd.range(-1.3, 1.3), rnd.range(-1.3, 1.3)) * width, r, r);
    }
}

std::vector<QPointF> Curve(QPointF from, QPointF to, double bend, int samples = 80)
{
    const QPointF mid = (from + to) / 2;
    const QPointF d = to - from;
    const QPointF control = mid + QPointF(-d.y(), d.x()) * bend;
    std::vector<QPointF> out;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / (samples - 1);
        out.push_back((1 - t) * (1 - t) * from + 2 * (1 - t) * t * control + t * t * to);
    }
    return out;
}

std::vector<QPointF> Arc(QPointF centre, double radius, double fromDeg, double sweepDeg, int samples = 120)
{
    std::vector<QPointF> out;
    for (int i = 0; i < samples; ++i) {
        const double a = (fromDeg + sweepDeg * i / (samples - 1)) * std::numbers::pi / 180;
        // A hand never draws a true circle; let the radius drift a little.
        const double r = radius * (1 + 0.04 * std::sin(a * 2.3));
        out.emplace_back(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    return out;
}

constexpr QSize kWrongSize(226, 350);

QImage WrongPicture(int scale)
{
    QImage image(kWrongSize * scale, QImage::Format_RGB32);
    QPainter p;
    StartArtwork(image, p, kWrongSize, 0x5eed0001u);
    Noise rnd(0x5eed0002u);

    BrushStroke(p, Arc({113, 175}, 88, -70, 318), 14, QColor(0x4a, 0x46, 0x42), rnd);
    const QColor red(0xb3, 0x14, 0x1c);
    BrushStroke(p, Curve({44, 72}, {194, 286}, 0.06), 36, red, rnd);
    BrushStroke(p, Curve({188, 66}, {34, 290}, -0.05), 34, red, rnd);
    p.end();
    return image;
}

// The About box shows this picture stretched into a control of 319 x 444,
// proportionally wider than the file. The artwork is laid out for that frame
// and squeezed into the file, so the stretch on screen makes it round again.
constexpr QSize kAboutSize(432, 652);
constexpr double kAboutFrameAspect = 319.0 / 444.0;

QImage AboutPicture(const FontMaker& font, int scale)
{
    const QSizeF design(kAboutSize.height() * kAboutFrameAspect, kAboutSize.height());
    QImage image(kAboutSize * scale, QImage::Format_RGB32);
    QPainter p;
    StartArtwork(image, p, design, 0xab007001u);
    const double middle = design.width() / 2;

    p.setPen(QPen(kVermilion, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(14, 14), design - QSizeF(28, 28)));
    p.setPen(QPen(kVermilion, 0.8));
    p.drawRect(QRectF(QPointF(20, 20), design - QSizeF(40, 40)));

    p.setPen(Qt::NoPen);
    p.setBrush(kVermilion);
    p.drawEllipse(QPointF(middle, 150), 86, 86);

    const QFont big = font(150, true);
    DrawGlyph(p, big, QStringLiteral("あ"), {middle - 72, 300}, kInk);
    DrawGlyph(p, big, QStringLiteral("ア"), {middle + 72, 300}, kInk);

    const QStringList rows{QStringLiteral("あいうえお"), QStringLiteral("アイウエオ"), QStringLiteral("かきくけこ"),
                           QStringLiteral("カキクケコ")};
    const double cell = 54;
    const int rowCount = static_cast<int>(rows.size());
    const QPointF origin(middle - 2.5 * cell, 410);
    QPen grid(QColor(0x8a, 0x6d, 0x4b), 1);
    p.setBrush(Qt::NoBrush);
    p.setPen(grid);
    for (int r = 0; r <= rowCount; ++r)
        p.drawLine(origin + QPointF(0, r * cell), origin + QPointF(5 * cell, r * cell));
    for (int c = 0; c <= 5; ++c)
        p.drawLine(origin + QPointF(c * cell, 0), origin + QPointF(c * cell, rowCount * cell));
    const QFont small = font(34, false);
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QPointF centre = origin + QPointF((c + 0.5) * cell, (r + 0.5) * cell);
            DrawGlyph(p, small, rows[r].mid(c, 1), centre, r % 2 ? kVermilion : kInk);
        }
    }
    p.end();
    return image;
}

QImage icon(int size, const FontMaker& font)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QColor cream(0xff, 0xf6, 0xe4);

    // At the smallest size every pixel counts: full bleed, no border.
    const bool tiny = size < 32;
    const double margin = tiny ? 0 : s * 0.05;
    const QRectF card(margin, margin, s - 2 * margin, s - 2 * margin);
    p.setPen(tiny ? Qt::NoPen : QPen(QColor(0x7a, 0x16, 0x10), std::max(1.0, s / 64)));
    p.setBrush(kVermilion);
    const double inset = tiny ? 0 : p.pen().widthF() / 2;
    p.drawRoundedRect(card.adjusted(inset, inset, -inset, -inset), s * 0.18, s * 0.18);

    // Below 48 px the small katakana turns to mush; the big glyph alone reads better.
    if (size < 48) {
        DrawGlyph(p, font(static_cast<int>(std::lround(s * (tiny ? 0.98 : 0.86))), true), QStringLiteral("あ"),
                  {s * 0.5, s * 0.5}, cream);
    } else {
        DrawGlyph(p, font(static_cast<int>(std::lround(s * 0.66)), true), QStringLiteral("あ"), {s * 0.42, s * 0.42},
                  cream);
        // A rim of card colour keeps the small glyph apart where it overlaps the big one.
        DrawGlyph(p, font(static_cast<int>(std::lround(s * 0.36)), true), QStringLiteral("ア"), {s * 0.75, s * 0.74},
                  QColor(0xff, 0xd8, 0x6a), QPen(kVermilion, s * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    p.end();
    return image;
}

// The marker for a doubled consonant: a small grey っ on a see-through ground.
IndexedImage SmallTsu(const FontMaker& font, int scale)
{
    constexpr int w = 24;
    constexpr int h = 16;
    constexpr GlyphScratch scratch{64, 64, 16, 48};
    const QString tsu = QStringLiteral("っ");

    // Size and place are found on the plain picture; larger scales draw the
    // same outline with both multiplied.
    auto fits = [&](int pixels) {
        const InkBox ink = inkBox(RenderGlyph(font(pixels, true), tsu, scratch, 1));
        return ink.height() <= 12 && ink.width() <= 18;
    };
    int pixels = 48;
    while (!fits(pixels)) {
        if (--pixels < 5)
            throw std::runtime_error("the small tsu fits its marker at no size");
    }
    const QFont tsuFont = font(pixels, true);
    const InkBox ink = inkBox(RenderGlyph(tsuFont, tsu, scratch, 1));
    const int dx = (w - ink.width()) / 2 - ink.left;
    const int dy = (h - ink.height()) / 2 - ink.top;

    Coverage canvas(w * scale, h * scale);
    if (!Blit(canvas, RenderGlyph(tsuFont, tsu, scratch, scale), dx * scale, dy * scale))
        throw std::logic_error("the small tsu runs off its marker");
    IndexedImage out = RampImage(canvas, qRgb(0xf0, 0xf0, 0xf0), qRgb(0x70, 0x70, 0x70), 8);
    out.transparentIndex = 0;
    return out;
}

} // namespace

void WriteArtwork(const QString& dir, const FontMaker& font)
{
    EnsureDir(dir);
    auto path = [&](const char* stem, const char* suffix, int scale) {
        return dir + u'/' + ScaledFileName(QLatin1String(stem), QLatin1String(suffix), scale);
    };
    for (const int scale : kPictureScales) {
        WriteGif(path("small_tsu", ".gif", scale), SmallTsu(font, scale));
        WriteBytes(path("wrong", ".jpg", scale), Encoded(WrongPicture(scale), "jpeg", 92));
        WriteBytes(path("about", ".jpg", scale), Encoded(AboutPicture(font, scale), "jpeg", 92));
    }

    // The icon comes in its own ladder of sizes, so it has no @2x files.
    QList<QImage> forIco;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QImage img = icon(size, font);
        WriteBytes(dir + QStringLiteral("/icon-%1.png").arg(size), Encoded(img, "png", -1));
        if (size == 32 || size == 16)
            forIco.prepend(img);
    }
    WriteBytes(dir + QStringLiteral("/quelvane.ico"), IcoFile(forIco));
}
