#pragma once

#include <QCheckBox>

namespace widgets {

// A check box whose caption wraps onto further lines beside the indicator
// when the box is too narrow for it on one line.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WrappingCheckBox(const QString& caption, QWidget* parent = nullptr);

    QRect captionArea() const;
    bool captionFits() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace widgets
