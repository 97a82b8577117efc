#include "grey_edges.h"

#include <QImage>

namespace bench {

GreyCounts CountGreys(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    GreyCounts counts;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            counts.edge += row[x] >= 40 && row[x] <= 215;
            counts.ink += row[x] < 128;
        }
    }
    return counts;
}

} // namespace bench
