#pragma once

namespace platform {

// Whether the screen readers of this system want positions in device
// pixels from the program itself. Qt gives them logical pixels, which on a
// scaled screen put a magnifier or a reader's highlight beside the control.
extern const bool kScreenReadersWantDevicePixels;

} // namespace platform
