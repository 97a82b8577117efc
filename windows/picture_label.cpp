#include "windows/picture_label.h"

#include "windows/picture_file.h"

#include <QEvent>
#include <QPixmap>

#include <utility>

namespace windows {

void PictureLabel::setPicture(const QImage& picture, std::function<QImage()> doubled)
{
    picture_ = picture;
    doubled_ = std::move(doubled);
    showForScreen();
}

void PictureLabel::setResourcePicture(const QString& path)
{
    setPicture(QImage(path), [path] { return QImage(QString::fromStdString(DoubleResolutionName(path.toStdString()))); });
}

void PictureLabel::clearPicture()
{
    picture_ = QImage();
    doubled_ = nullptr;
    clear();
}

void PictureLabel::showForScreen()
{
    const qreal ratio = devicePixelRatioF();
    QImage shown = picture_;
    if (ratio > 1 && doubled_) {
        QImage doubled = doubled_();
        // One that does not match its picture is no drawing of it.
        if (doubled.size() == picture_.size() * 2) {
            shown = std::move(doubled);
            shown.setDevicePixelRatio(2);
            // Between one and two, a finer picture made from the larger one
            // beats the smaller one blown up.
            if (!hasScaledContents() && ratio != 2) {
                shown = shown.scaled(picture_.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                shown.setDevicePixelRatio(ratio);
            }
        }
    }
    setPixmap(QPixmap::fromImage(std::move(shown)));
}

bool PictureLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal && !picture_.isNull())
        showForScreen();
    return QLabel::event(event);
}

} // namespace windows
