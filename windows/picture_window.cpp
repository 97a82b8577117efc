#include "windows/picture_window.h"

#include "windows/centre.h"
#include "windows/picture_label.h"
#include "windows/twips.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace windows {

namespace {

// A plain widget tells a screen reader nothing about what kind of window it
// is. A QDialog would, but would also bring keys and closing of its own; the
// window keeps its behaviour and only tells its role.
QAccessibleInterface* describeWindow(const QString&, QObject* object)
{
    auto* window = qobject_cast<PictureWindow*>(object);
    // The accessibility cache owns the interface it is handed.
    return window ? new QAccessibleWidget(window, window->accessibleRole()) : nullptr;
}

} // namespace

// A dialog rather than a tool window: some window managers never give a
// tool window the keyboard, where Enter must reach its button. Transient for
// the main window, it stays above it and has no task-bar button of its own.
PictureWindow::PictureWindow(QWidget* mainWindow, const Design& design)
    : QWidget(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , role_(design.role)
{
    [[maybe_unused]] static const bool described = (QAccessible::installFactory(describeWindow), true);
    setObjectName(design.name);
    setAccessibleName(design.accessibleName);
    // Borderless, but a window list or a task switcher may show it anyway.
    setWindowTitle(design.accessibleName);
    setAttribute(Qt::WA_DeleteOnClose);
    // Created while the main window is disabled; a window of its own can be
    // enabled on its own.
    setEnabled(true);
    setFixedSize(toPixels(design.width), toPixels(design.height));

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
