#pragma once

class QAccessibleInterface;

namespace accessibility {

// Qt's own description of a widget, with its positions in device pixels of
// the screen it is on. Takes ownership of `logical`.
QAccessibleInterface* InDevicePixels(QAccessibleInterface* logical);

} // namespace accessibility
