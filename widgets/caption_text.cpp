#include "widgets/caption_text.h"

#include <QFontMetrics>
#include <QWidget>

namespace widgets {

int CaptionFlags(Qt::Alignment alignment)
{
    return static_cast<int>(alignment) | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

bool CaptionFitsIn(const QWidget& widget, const QRect& area, const QString& caption, Qt::Alignment alignment)
{
    const QRect needed = widget.fontMetrics().boundingRect(area, CaptionFlags(alignment), caption);
    return area.contains(needed);
}

} // namespace widgets
