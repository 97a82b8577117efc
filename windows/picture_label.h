#pragma once

#include <QImage>
#include <QLabel>

#include <functional>

namespace windows {

// A picture control that draws from the picture made for its screen: the
// picture itself where a pixel is a device pixel, the one drawn at twice the
// resolution on denser screens when there is one. Its size in logical pixels
// is always that of the picture itself, so nothing moves with the scale; a
// move to a screen of another scale chooses again.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // `doubled` gives the picture at twice the resolution, or a null image
    // when there is none that can be shown; it is asked only when needed.
    void setPicture(const QImage& picture, std::function<QImage()> doubled);
    // A picture compiled into the program, with its "@2x" companion.
    void setResourcePicture(const QString& path);
    void clearPicture();

    // The picture's size in logical pixels.
    QSize pictureSize() const { return picture_.size(); }

protected:
    bool event(QEvent* event) override;

private:
    void showForScreen();

    QImage picture_;
    std::function<QImage()> doubled_;
};

} // namespace windows
