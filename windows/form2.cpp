#include "windows/form2.h"

#include <QPushButton>

namespace windows {

namespace {

PictureWindow::Design Form2Design()
{
    using K = ControlKind;
    return {"Form2",
            3435,
            6195,
            {
                {"Image1", K::Picture, "", "", 0, 0, 3375, 5250},
                {"Command1", K::Button, "", "YOU ARE WRONG! YOU HAVE NO HONOR! YOU MUST TRY AGAIN OR DIE!", 0, 5280, 3375,
                 855, 0},
            },
            QStringLiteral(":/quelvane/wrong.jpg"),
            QStringLiteral("Wrong answer"),
            QAccessible::AlertMessage};
}

} // namespace

Form2::Form2(QWidget* mainWindow)
    : PictureWindow(mainWindow, Form2Design())
{
    button()->setDefault(true);
}

} // namespace windows
