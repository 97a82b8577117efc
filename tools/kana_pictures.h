#pragma once

#include "gif_file.h"
#include "raster.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

// Lays out every kana picture of the set with one glyph size and one baseline.
// The layout is measured over the whole set first, so a picture's place on
// its canvas never depends on which other pictures happened to be drawn.
class KanaPictures {
public:
    KanaPictures(const QFont& font, const QStringList& allPictures);

    // The picture drawn at `scale` times the resolution: the outlines again,
    // with the font size and every offset multiplied, so a larger picture is
    // the plain one in finer detail, never an enlarged bitmap.
    IndexedImage picture(const QString& kana, int scale) const;

    int height() const { return height_; }
    int singleWidth() const { return singleWidth_; }
    int pairWidth() const { return pairWidth_; }
    int baseline() const { return kScratch.baseline + shiftY_; }

private:
    struct Glyph {
        Coverage coverage;
        InkBox ink;
    };

    static constexpr GlyphScratch kScratch{128, 128, 32, 88};

    // Where each glyph's first ink column goes, from the left of the content.
    struct Layout {
        std::vector<int> x;
        int width = 0;
    };

    const Glyph& glyph(const QString& g) const;
    Layout layout(const QStringList& parts) const;
    static int pairOffset(const Glyph& big, const Glyph& small);
    static QStringList glyphsOf(const QString& kana);

    QFont font_;
    std::map<QString, Glyph> glyphs_;
    int height_ = 0;
    int singleWidth_ = 0;
    int pairWidth_ = 0;
    int shiftY_ = 0;
};
