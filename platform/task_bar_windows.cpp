#include "platform/task_bar.h"

namespace platform {

// A window owned by another, as Qt makes a dialog with a parent, never has a
// task-bar button of its own on Windows.
void KeepOffTaskBar(QWidget&) {}

} // namespace platform
