#include "platform/screen_readers.h"

namespace platform {

// Qt's UI Automation provider converts to device pixels itself.
const bool kScreenReadersWantDevicePixels = false;

} // namespace platform
