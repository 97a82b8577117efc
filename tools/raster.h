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

// Fills the outline of the text rather than asking the platform to draw it,
// so the result depends only on the font file and Qt's own rasteriser, not on
// the hinting settings of whichever machine runs the generator.
Coverage renderText(const QFont& font, const QString& text, int width, int height, int penX, int baseline);

InkBox inkBox(const Coverage& c);

// Copies columns [srcLeft, srcRight] of src so that srcLeft lands on dstX and
// row r of src lands on row r + dy; overlapping ink keeps the darker value.
void blitColumns(Coverage& dst, const Coverage& src, int srcLeft, int srcRight, int dstX, int dy);
