#pragma once

class QWidget;

namespace windows {

// Places a window in the middle of its screen by its outer size. A window
// larger than the screen sticks out on both sides.
void CentreOnScreen(QWidget& window);

} // namespace windows
