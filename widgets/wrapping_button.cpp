#include "widgets/wrapping_button.h"

#include "widgets/caption_text.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace widgets {

namespace {
constexpr Qt::Alignment kAlignment = Qt::AlignCenter;
}

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    // Outside a dialog Qt leaves Enter on a focused button unanswered.
    setAutoDefault(true);
}

QRect WrappingButton::captionArea() const
{
    // Inside the bevel, not inside the style's contents rectangle: the 17-pixel
    // buttons of the main window leave no room for the style's wider margins.
    return rect().adjusted(3, 1, -3, -1);
}

bool WrappingButton::captionFits() const
{
    return CaptionFitsIn(*this, captionArea(), text(), kAlignment);
}

void WrappingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear(); // the style draws the bevel and focus; the caption is ours
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect area = captionArea();
    if (isDown() || isChecked()) {
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.drawItemText(area, CaptionFlags(kAlignment), palette(), isEnabled(), caption, QPalette::ButtonText);
}

} // namespace widgets
