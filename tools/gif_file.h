#pragma once

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // row-major palette indices
    std::vector<QRgb> palette;        // at most 256 entries
    int transparentIndex = -1;        // -1: fully opaque
};

// Writes a single-frame GIF; throws std::runtime_error on failure.
void WriteGif(const QString& path, const IndexedImage& image);
