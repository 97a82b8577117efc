#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace widgets {

// The flags every wrapping caption is drawn with.
int CaptionFlags(Qt::Alignment alignment);

// True when the caption, wrapped at word boundaries, lies wholly inside `area`.
bool CaptionFitsIn(const QWidget& widget, const QRect& area, const QString& caption, Qt::Alignment alignment);

} // namespace widgets
