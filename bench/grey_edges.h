#pragma once

class QImage;

namespace bench {

// Dark ink on a light ground, read the way sharpness is read off a
// screenshot: an ink pixel is darker than mid-grey (grey < 128), an edge pixel
// is neither ground nor solid ink (40 <= grey <= 215). A crisp picture has
// few edge pixels for its ink; one blown up from a smaller picture smears
// every stroke's border over several.
struct GreyCounts {
    long edge = 0;
    long ink = 0;
};

GreyCounts CountGreys(const QImage& picture);

} // namespace bench
