#include "widgets/picture_label.h"

#include "widgets/picture_file.h"

#include <QEvent>
#include <QPainter>

#include <utility>

namespace widgets {

void PictureLabel::setPicture(const QImage& picture, std::function<QImage()> doubled)
{
    picture_ = picture;
    doubled_ = std::move(doubled);
    chooseForScreen();
}

void PictureLabel::setResourcePicture(const QString& path)
{
    setPicture(QImage(path), [path] { return QImage(QString::fromStdString(DoubleResolutionName(path.toStdString()))); });
}

void PictureLabel::clearPicture()
{
    picture_ = QImage();
    doubled_ = nullptr;
    chosen_ = QImage();
    drawn_ = QPixmap();
    update();
}

void PictureLabel::chooseForScreen()
{
    chosen_ = picture_;
    if (devicePixelRatioF() > 1 && doubled_) {
        QImage doubled = doubled_();
        // One that does not match its picture is no drawing of it.
        if (doubled.size() == picture_.size() * 2)
            chosen_ = std::move(doubled);
    }
    render();
}

// A stretched picture fills its control, scaled once from the finest picture
// there is straight to the device pixels it covers. A twin is scaled the same
// way to the screen's own ratio: between one and two a finer picture made
// from the larger one beats the smaller one blown up. A picture with no twin
// is left as it is, each of its pixels blown up square by the painter, sharper
// than smoothing would make it.
void PictureLabel::render()
{
    QImage drawn = chosen_;
    const bool twin = chosen_.size() != picture_.size();
    if (!chosen_.isNull() && (hasScaledContents() || twin)) {
        const qreal ratio = devicePixelRatioF();
        const QSize target = (hasScaledContents() ? size() : picture_.size()) * ratio;
        if (drawn.size() != target)
            drawn = drawn.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        drawn.setDevicePixelRatio(ratio);
    }
    drawn_ = QPixmap::fromImage(std::move(drawn));
    update();
}

void PictureLabel::paintEvent(QPaintEvent*)
{
    if (drawn_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), drawn_);
}

void PictureLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (hasScaledContents() && !picture_.isNull())
        render();
}

bool PictureLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal && !picture_.isNull())
        chooseForScreen();
    return QLabel::event(event);
}

} // namespace widgets
