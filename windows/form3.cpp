#include "windows/form3.h"

namespace windows {

namespace {

PictureWindow::Design Form3Design()
{
    using K = ControlKind;
    return {"Form3",
            4770,
            7455,
            {
                // One pixel wider than the window: its right edge is cut off.
                {"Image1", K::Picture, "", "", 0, 0, 4785, 6660},
                {"Command1", K::Button, "",
                 "Quelvane - Version 1.5\nWritten by its author for a beginners' Japanese course",
                 7, 6670, 4750, 735, 0},
            },
            QStringLiteral(":/quelvane/about.jpg"),
            QStringLiteral("About Quelvane"),
            QAccessible::Dialog};
}

} // namespace

Form3::Form3(QWidget* mainWindow)
    : PictureWindow(mainWindow, Form3Design())
{
}

} // namespace windows
