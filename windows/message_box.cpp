#include "windows/message_box.h"

#include "windows/version_info.h"

#include <QGuiApplication>
#include <QMessageBox>

#include <iostream>

namespace windows {

void ShowMessageBox(QWidget* parent, const QString& text)
{
    // With no screen to show it on (a headless run), a modal box would wait
    // for a click that can never come.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        std::cerr << "quelvane: " << text.toStdString() << '\n';
        return;
    }
    ShowMessageBoxOnScreen(parent, text);
}

void ShowMessageBoxOnScreen(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kProductName), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace windows
