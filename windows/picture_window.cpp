#include "windows/picture_window.h"

#include "windows/centre.h"
#include "windows/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace windows {

PictureWindow::PictureWindow(QWidget* mainWindow, const Design& design)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(design.name);
    setAttribute(Qt::WA_DeleteOnClose);
    // Created while the main window is disabled; a window of its own can be
    // enabled on its own.
    setEnabled(true);
    setFixedSize(toPixels(design.width), toPixels(design.height));

    const auto controls = BuildControls(this, design.layout);
    auto* picture = qobject_cast<QLabel*>(controls.value(QStringLiteral("Image1")));
    picture->setPixmap(QPixmap(design.picture));
    picture->setScaledContents(true);
    button_ = qobject_cast<WrappingButton*>(controls.value(QStringLiteral("Command1")));
    connect(button_, &QPushButton::clicked, this, &QWidget::close);

    CentreOnScreen(*this);
}

void PictureWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A tool window is not always given the keyboard on showing, yet Enter
    // must reach its only button at once.
    activateWindow();
    button_->setFocus();
}

void PictureWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit dismissed();
}

} // namespace windows
