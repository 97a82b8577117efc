#pragma once

#include <QAccessible>

namespace accessibility {

// A window of the program that tells screen readers what kind of window it
// is: a frame, an alert, a dialog. A plain widget would say nothing.
class WindowRole {
public:
    virtual QAccessible::Role accessibleRole() const = 0;

protected:
    ~WindowRole() = default;
};

} // namespace accessibility
