#pragma once

class QWidget;

namespace platform {

// Asks the desktop to give the window no task-bar button and no entry in its
// window lists, where the desktop takes such a request. Called before the
// window is first shown.
void KeepOffTaskBar(QWidget& window);

} // namespace platform
