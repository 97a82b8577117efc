#pragma once

#include "gif_file.h"
#include "raster.h"

#include <QColor>

// Quantises coverage to `levels` even steps from paper (index 0) to ink: the
// palette of every greyscale GIF the generator writes, small enough to keep
// the files tiny and fine enough that the antialiased edges stay smooth.
IndexedImage RampImage(const Coverage& coverage, QRgb paper, QRgb ink, int levels);
