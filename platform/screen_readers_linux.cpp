#include "platform/screen_readers.h"

namespace platform {

// AT-SPI positions are the display's own pixels, on X11 and Wayland alike.
const bool kScreenReadersWantDevicePixels = true;

} // namespace platform
