#include "widgets/wrapping_check_box.h"

#include "widgets/caption_text.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace widgets {

namespace {
constexpr Qt::Alignment kAlignment = Qt::AlignLeft | Qt::AlignVCenter;
// The classic Windows gap between box and caption; the style's own wider gap
// would push "Test Mode" onto a second line in its 73-pixel box.
constexpr int kCaptionGap = 2;
}

WrappingCheckBox::WrappingCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent)
{
}

QRect WrappingCheckBox::captionArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QRect area = rect();
    area.setLeft(indicator.right() + 1 + kCaptionGap);
    return area;
}

bool WrappingCheckBox::captionFits() const
{
    return CaptionFitsIn(*this, captionArea(), text(), kAlignment);
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect area = captionArea();
    painter.drawItemText(area, CaptionFlags(kAlignment), palette(), isEnabled(), option.text, QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics().boundingRect(area, CaptionFlags(kAlignment), option.text).adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const
{
    // The whole box answers a click, not only the first line of the caption.
    return rect().contains(pos);
}

} // namespace widgets
