#pragma once

class QAccessibleInterface;

namespace windows {

// Whether the screen readers of this system want positions in device
// pixels from the program itself. Qt gives them logical pixels, which on a
// scaled screen put a magnifier or a reader's highlight beside the control.
bool ScreenReadersWantDevicePixels();

// Qt's own description of a widget, with its positions in device pixels of
// the screen it is on. Takes ownership of `logical`.
QAccessibleInterface* InDevicePixels(QAccessibleInterface* logical);

} // namespace windows
