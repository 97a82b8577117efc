#include "accessibility/announcer.h"

#include <QAccessible>

namespace accessibility {

Announcer::Announcer(QWidget* window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    hide();
    turnOver_.setSingleShot(true);
    turnOver_.setInterval(0);
    connect(&turnOver_, &QTimer::timeout, this, &Announcer::speak);
}

void Announcer::announce(const QString& text)
{
    pending_.append(text);
    turnOver_.start();
}

void Announcer::speak()
{
    setAccessibleName(pending_.join(QStringLiteral(". ")));
    pending_.clear();
    // Screen readers speak a notification when it shows; the widget itself
    // never does.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace accessibility
