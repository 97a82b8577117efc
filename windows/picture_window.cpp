#include "windows/picture_window.h"

#include "windows/centre.h"
#include "windows/picture_label.h"
#include "windows/program_font.h"
#include "windows/task_bar.h"
#include "windows/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace windows {

// A dialog rather than a tool window: some window managers never give a
// tool window the keyboard, where Enter must reach its button. Transient for
// the main window, it stays above it; it asks for no task-bar button of its
// own, and keeps the program's font whatever the platform theme sets.
PictureWindow::PictureWindow(QWidget* mainWindow, const Design& design)
    : QWidget(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , role_(design.role)
{
    setObjectName(design.name);
    setAccessibleName(design.accessibleName);
    // Borderless, but a window list or a task switcher may show it anyway.
    setWindowTitle(design.accessibleName);
    setAttribute(Qt::WA_DeleteOnClose);
    // Created while the main window is disabled; a window of its own can be
    // enabled on its own.
    setEnabled(true);
    setFixedSize(toPixels(design.width), toPixels(design.height));
    setFont(ProgramFont());
    KeepOffTaskBar(*this);

    const auto controls = BuildControls(this, design.layout);
    auto* picture = qobject_cast<PictureLabel*>(controls.value(QStringLiteral("Image1")));
    picture->setScaledContents(true);
    picture->setResourcePicture(design.picture);
    button_ = qobject_cast<WrappingButton*>(controls.value(QStringLiteral("Command1")));
    connect(button_, &QPushButton::clicked, this, &QWidget::close);

    CentreOnScreen(*this);
}

void PictureWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A new window is not always given the keyboard on showing, yet Enter
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
