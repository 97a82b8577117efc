#pragma once

#include "windows/message_box.h"

#include <QString>

#include <filesystem>
#include <memory>

class QApplication;

namespace quiz {
class RandomSource;
}

namespace windows {

class Form1;

// The application on the desktop's display, configured below. Where no display can be opened,
// one line says so and how to start the program instead, and the program
// ends with status 1, rather than aborting with Qt's advice to reinstall.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

// The look every window is laid out for: the fixed forms need the Windows
// style and a 10-pixel DejaVu Sans to keep every caption inside its control,
// whatever the desktop's own settings.
void ConfigureApplication(QApplication& app);

// Creates the main window and runs its start-up against the data beside the
// program. A data file that cannot serve is told to the learner once, in a
// message box and on standard error, and nothing is returned.
std::unique_ptr<Form1> StartQuelvane(const std::filesystem::path& programFolder, quiz::RandomSource& random,
                                     const MessageBox& messageBox);

// The whole program on a configured application: start-up, the main window,
// the event loop. Returns the exit status.
int RunQuelvane();

} // namespace windows
