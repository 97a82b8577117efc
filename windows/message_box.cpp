#include "windows/message_box.h"

#include "windows/version_info.h"

#include <QMessageBox>

namespace windows {

void ShowMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kProductName), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace windows
