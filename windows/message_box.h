#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace windows {

// Shows a message to the learner and returns when it has been dismissed.
// The windows take it as a parameter so that tests can answer it themselves.
using MessageBox = std::function<void(QWidget* parent, const QString& text)>;

// The program's own message box: modal, titled "Quelvane", no icon, one OK.
// On a headless platform the text goes to standard error instead.
void ShowMessageBox(QWidget* parent, const QString& text);
// The box itself, whatever the platform.
void ShowMessageBoxOnScreen(QWidget* parent, const QString& text);

} // namespace windows
