#pragma once

#include <QPushButton>

namespace widgets {

// A push button whose caption wraps onto further lines when the button is
// too narrow for it, as the fixed forms' tall buttons expect.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

    // Where the caption is drawn, and whether all of it fits there.
    QRect captionArea() const;
    bool captionFits() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace widgets
