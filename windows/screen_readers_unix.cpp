#include "windows/device_pixel_extents.h"

namespace windows {

// AT-SPI positions are the display's own pixels, on X11 and Wayland alike.
bool ScreenReadersWantDevicePixels()
{
    return true;
}

} // namespace windows
