#include "windows/picture_window.h"

#include "platform/task_bar.h"
#include "widgets/picture_label.h"
#include "windows/centre.h"
#include "windows/program_font.h"
#include "windows/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QWindow>

#include <iostream>

namespace windows {

namespace {

// Any client of an X display may destroy any window. The toolkit then keeps
// the main window as if it were still on screen, only never exposed again
// (or, where its native window is released, hidden), and the program would
// live on with no window once the one over it closes. A minimised window is
// unexposed too, but says so in its state.
bool DestroyedFromOutside(const QWidget& mainWindow)
{
    const QWindow* window = mainWindow.windowHandle();
    if (!window || !mainWindow.testAttribute(Qt::WA_WState_ExplicitShowHide))
        return false;
    return !mainWindow.isVisible() || !window->handle() ||
           (!window->isExposed() && !(window->windowStates() & Qt::WindowMinimized));
}

} // namespace

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
    setFixedSize(ToPixels(design.width), ToPixels(design.height));
    setFont(ProgramFont());
    platform::KeepOffTaskBar(*this);

    const auto controls = BuildControls(this, design.layout);
    auto* picture = FindControl<widgets::PictureLabel>(controls, QStringLiteral("Image1"));
    picture->setScaledContents(true);
    picture->setResourcePicture(design.picture);
    button_ = FindControl<widgets::WrappingButton>(controls, QStringLiteral("Command1"));
    connect(button_, &QPushButton::clicked, this, &QWidget::close);

    CentreOnScreen(*this);
}

void PictureWindow::returnOnDismissal(QWidget& mainWindow, const QPointer<QWidget>& focus,
                                      std::function<void()> onDismissed)
{
    connect(this, &PictureWindow::dismissed, &mainWindow, [&mainWindow, focus, onDismissed = std::move(onDismissed)] {
        // Nothing of the program would be left on screen to close it.
        if (DestroyedFromOutside(mainWindow)) {
            std::cerr << "quelvane: the main window was destroyed by another program; ending\n";
            QCoreApplication::exit(1);
            return;
        }
        mainWindow.setEnabled(true);
        onDismissed();
        mainWindow.activateWindow();
        if (focus)
            focus->setFocus();
    });
}

PictureWindow* PictureWindow::shownOver(const QWidget& mainWindow)
{
    for (PictureWindow* window : mainWindow.findChildren<PictureWindow*>(Qt::FindDirectChildrenOnly)) {
        if (window->isVisible())
            return window;
    }
    return nullptr;
}

void PictureWindow::bringForwardOver(const QWidget& mainWindow)
{
    if (PictureWindow* open = shownOver(mainWindow)) {
        open->raise();
        open->activateWindow();
    }
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
