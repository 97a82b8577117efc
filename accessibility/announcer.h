#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace accessibility {

// Tells a screen reader what changed where the learner's keyboard is not:
// a score, a new kana, the text Reveal wrote. It is a notification no one
// sees, as desktop notifications are to screen readers; what one action
// brings is said once, together, when the action is over.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    void announce(const QString& text);

private:
    void speak();

    QStringList pending_;
    QTimer turnOver_;
};

} // namespace accessibility
