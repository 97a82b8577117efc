#include "kana_pictures.h"

#include "ramp_image.h"

#include <QFontMetrics>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Limits the windows were laid out for; pairs are the wide case.
constexpr int kPictureHeight = 48;
constexpr int kSingleWidth = 48;
constexpr int kMaxWidth = 69;
constexpr int kMaxHeight = 56;

// A big kana and its small ya/yu/yo read as one sound only when they sit
// close: the small one moves in until this many blank pixels are left
// between the two inks in every direction.
constexpr int kPairClearance = 2;
constexpr int kMinMargin = 2;

constexpr QRgb kPaper = qRgb(0xf6, 0xf3, 0xec);
constexpr QRgb kInk = qRgb(0x00, 0x00, 0x00);
constexpr int kLevels = 16;

std::string utf8(const QString& s) { return s.toStdString(); }

} // namespace

QStringList KanaPictures::glyphsOf(const QString& kana)
{
    QStringList out;
    for (const char32_t cp : kana.toUcs4())
        out << QString::fromUcs4(&cp, 1);
    return out;
}

const KanaPictures::Glyph& KanaPictures::glyph(const QString& g) const
{
    const auto it = glyphs_.find(g);
    if (it == glyphs_.end())
        throw std::logic_error("glyph was not measured: " + utf8(g));
    return it->second;
}

int KanaPictures::pairOffset(const Glyph& big, const Glyph& small)
{
    // Per row, the last ink column of the big glyph and the first of the
    // small one, both counted from their own first ink column.
    auto edges = [](const Glyph& g, bool rightEdge) {
        std::vector<int> edge(static_cast<std::size_t>(g.coverage.height), -1);
        for (int y = g.ink.top; y <= g.ink.bottom; ++y) {
            for (int i = 0; i < g.ink.width(); ++i) {
                const int x = rightEdge ? g.ink.right - i : g.ink.left + i;
                if (g.coverage.at(x, y) != 0) {
                    edge[static_cast<std::size_t>(y)] = x - g.ink.left;
                    break;
                }
            }
        }
        return edge;
    };
    const std::vector<int> right = edges(big, true);
    const std::vector<int> left = edges(small, false);

    int offset = 0;
    for (std::size_t y = 0; y < right.size(); ++y) {
        if (right[y] < 0)
            continue;
        const std::size_t from = y >= kPairClearance ? y - kPairClearance : 0;
        const std::size_t to = std::min(left.size() - 1, y + kPairClearance);
        for (std::size_t y2 = from; y2 <= to; ++y2) {
            if (left[y2] >= 0)
                offset = std::max(offset, right[y] - left[y2] + kPairClearance + 1);
        }
    }
    return offset;
}

KanaPictures::Layout KanaPictures::layout(const QStringList& parts) const
{
    Layout out;
    const Glyph& first = glyph(parts.front());
    out.x.push_back(0);
    out.width = first.ink.width();
    if (parts.size() == 2) {
        const Glyph& second = glyph(parts.back());
        const int x = pairOffset(first, second);
        out.x.push_back(x);
        out.width = std::max(out.width, x + second.ink.width());
    }
    return out;
}

KanaPictures::KanaPictures(const QFont& font, const QStringList& allPictures) : font_(font)
{
    const QFontMetrics metrics(font_);
    int unionTop = kScratch.height;
    int unionBottom = -1;
    int widest = 0;
    int widestSingle = 0;
    for (const QString& kana : allPictures) {
        const QStringList parts = glyphsOf(kana);
        if (parts.isEmpty() || parts.size() > 2)
            throw std::runtime_error("a picture holds one or two glyphs: " + utf8(kana));
        for (const QString& g : parts) {
            if (!metrics.inFontUcs4(g.toUcs4().front()))
                throw std::runtime_error("font has no glyph for " + utf8(g));
            auto it = glyphs_.find(g);
            if (it == glyphs_.end()) {
                Glyph fresh;
                fresh.coverage = RenderGlyph(font_, g, kScratch, 1);
                fresh.ink = inkBox(fresh.coverage);
                if (fresh.ink.empty() || fresh.ink.left == 0 || fresh.ink.top == 0
                    || fresh.ink.right == kScratch.width - 1 || fresh.ink.bottom == kScratch.height - 1)
                    throw std::runtime_error("glyph does not fit the scratch canvas: " + utf8(g));
                it = glyphs_.emplace(g, std::move(fresh)).first;
            }
            unionTop = std::min(unionTop, it->second.ink.top);
            unionBottom = std::max(unionBottom, it->second.ink.bottom);
        }
        const int contentWidth = layout(parts).width;
        widest = std::max(widest, contentWidth);
        if (parts.size() == 1)
            widestSingle = std::max(widestSingle, contentWidth);
    }

    height_ = kPictureHeight;
    const int inkHeight = unionBottom - unionTop + 1;
    if (inkHeight + 2 * kMinMargin > height_ || height_ > kMaxHeight)
        throw std::runtime_error("glyphs are too tall for the picture height: " + std::to_string(inkHeight));
    shiftY_ = (height_ - inkHeight) / 2 - unionTop;

    singleWidth_ = kSingleWidth;
    if (widestSingle + 2 * kMinMargin > singleWidth_)
        throw std::runtime_error("a single kana is too wide: " + std::to_string(widestSingle));
    pairWidth_ = std::max(singleWidth_, widest + 2 * kMinMargin);
    if (pairWidth_ > kMaxWidth)
        throw std::runtime_error("a kana pair is too wide: " + std::to_string(widest));
}

IndexedImage KanaPictures::picture(const QString& kana, int scale) const
{
    const QStringList parts = glyphsOf(kana);
    const Layout placed = layout(parts);
    const int width = parts.size() == 1 ? singleWidth_ : pairWidth_;
    const int left = (width - placed.width) / 2;
    Coverage canvas(width * scale, height_ * scale);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        // The layout is measured on the plain glyphs only; every scale takes
        // the same shift of the scratch canvas, multiplied, so all sizes of a
        // picture show the same outline in the same place.
        const Glyph& g = glyph(parts[i]);
        const int dx = left + placed.x[static_cast<std::size_t>(i)] - g.ink.left;
        if (!Blit(canvas, RenderGlyph(font_, parts[i], kScratch, scale), dx * scale, shiftY_ * scale))
            throw std::runtime_error("glyph runs off the picture at scale " + std::to_string(scale) + ": "
                                     + utf8(kana));
    }
    return RampImage(canvas, kPaper, kInk, kLevels);
}
