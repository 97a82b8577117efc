#pragma once

#include "accessibility/window_role.h"
#include "widgets/wrapping_button.h"
#include "windows/form_layout.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace windows {

// A borderless window of one picture and one large button, shown over the
// disabled main window as a modal window would be. It centres itself when
// created, and closing it by any means (its button, a window-manager key,
// the session ending) reports `dismissed`, so the main window is never left
// disabled.
class PictureWindow : public QWidget, public accessibility::WindowRole {
    Q_OBJECT
public:
    struct Design {
        QString name;
        int width;  // client area, twips
        int height;
        FormLayout layout; // an "Image1" picture and a "Command1" button
        QString picture;
        QString accessibleName;
        QAccessible::Role role; // what a screen reader announces the window as
    };

    PictureWindow(QWidget* mainWindow, const Design& design);

    // Opens a new `Window` over `mainWindow`, which stays disabled until the
    // window is dismissed; then `onDismissed` runs and the keyboard goes
    // back to the control the learner left.
    template <typename Window>
    static Window* openOver(QWidget& mainWindow, std::function<void()> onDismissed)
    {
        const QPointer<QWidget> focus = mainWindow.focusWidget();
        // A window of its own stays enabled under a disabled parent.
        mainWindow.setEnabled(false);
        auto* window = new Window(&mainWindow);
        window->returnOnDismissal(mainWindow, focus, std::move(onDismissed));
        window->show();
        return window;
    }

    // The picture window open over `mainWindow`, if any.
    static PictureWindow* shownOver(const QWidget& mainWindow);

    // Gives the keyboard back to the window open over `mainWindow`, if any:
    // the learner answers it first.
    static void bringForwardOver(const QWidget& mainWindow);

    widgets::WrappingButton* button() const { return button_; }
    QAccessible::Role accessibleRole() const override { return role_; }

signals:
    void dismissed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void returnOnDismissal(QWidget& mainWindow, const QPointer<QWidget>& focus, std::function<void()> onDismissed);

    widgets::WrappingButton* button_ = nullptr;
    QAccessible::Role role_;
};

} // namespace windows
