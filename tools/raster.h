#pragma once

#include <QFont>
#include <QString>

#include <cstdint>
#include <vector>

// Antialiased coverage of black ink, 0 = paper, 255 = full ink. Pictures are
// composed from these with whole-pixel shifts only, so a glyph looks the same
// wherever it is placed.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> alpha;

    Coverage() = default;
    Coverage(int w, int h) : width(w), height(h), alpha(static_cast<std::size_t>(w) * h, 0) {}

    std::uint8_t at(int x, int y) const { return alpha[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t& at(int x, int y) { return alpha[static_cast<std::size_t>(y) * width + x]; }
};

// Inclusive pixel bounds of the ink; empty when nothing was drawn.
struct InkBox {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    bool empty() const { return right < left; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// A canvas for drawing one glyph, with the pen on a whole-pixel point.
struct GlyphScratch {
    int width = 0;
    int height = 0;
    int penX = 0;
    int baseline = 0;
};

// Fills the outline of the text rather than asking the platform to draw it,
// so the result depends only on the font file and Qt's own rasteriser, not on
// the hinting settings of whichever machine runs the generator. The font size
// and every number of the scratch are multiplied by scale: the outlines are
// unhinted, so that is the same drawing at that many times the resolution.
Coverage RenderGlyph(const QFont& font, const QString& text, const GlyphScratch& scratch, int scale);

InkBox inkBox(const Coverage& c);

// Lays src onto dst moved by (dx, dy); overlapping ink keeps the darker value.
// False when some ink fell outside dst: a clipped glyph is a layout fault.
[[nodiscard]] bool Blit(Coverage& dst, const Coverage& src, int dx, int dy);
