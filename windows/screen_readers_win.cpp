#include "windows/device_pixel_extents.h"

namespace windows {

// Qt's UI Automation provider converts to device pixels itself.
bool ScreenReadersWantDevicePixels()
{
    return false;
}

} // namespace windows
