#pragma once

#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <functional>

namespace widgets {

// A picture control that draws from the picture made for its screen: the
// picture itself where a pixel is a device pixel, the one drawn at twice the
// resolution on denser screens when there is one. Its size in logical pixels
// is always that of the picture itself, so nothing moves with the scale; a
// move to a screen of another scale chooses again.
//
// It draws the picture itself rather than through QLabel, whose handling of
// pixmaps differs between Qt releases (newer ones fit the picture with its
// aspect kept, then stretch it again, and keep every picture shown in the
// global pixmap cache). Here a picture is scaled at most once, to the device
// pixels it covers, and nothing is kept beyond the picture on display.
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
    // The picture chosen for this screen: the picture itself or its twin.
    const QImage& chosenPicture() const { return chosen_; }
    // What is drawn, in the device pixels the control covers.
    const QPixmap& drawnPicture() const { return drawn_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void chooseForScreen();
    void render();

    QImage picture_;
    std::function<QImage()> doubled_;
    QImage chosen_;
    QPixmap drawn_;
};

} // namespace widgets
