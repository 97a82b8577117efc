#pragma once

#include "windows/form_layout.h"
#include "windows/wrapping_button.h"

#include <QAccessible>
#include <QWidget>

namespace windows {

// A borderless window of one picture and one large button, shown over the
// disabled main window. It centres itself when created, and closing it by
// any means (its button, a window-manager key, the session ending) reports
// `dismissed`, so the main window is never left disabled.
class PictureWindow : public QWidget {
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

    WrappingButton* button() const { return button_; }
    QAccessible::Role accessibleRole() const { return role_; }

signals:
    void dismissed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    WrappingButton* button_ = nullptr;
    QAccessible::Role role_;
};

} // namespace windows
