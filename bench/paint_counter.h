#pragma once

#include <QEvent>
#include <QWidget>

namespace bench {

// Counts the paints of one widget, so that a benchmark can tell when what it
// changed has reached the screen.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace bench
