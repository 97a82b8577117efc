#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <stdexcept>
#include <vector>

namespace windows {

enum class ControlKind { Frame, Picture, Label, TextBox, Button, CheckBox };

// One control of a fixed form: position and size in twips, relative to its
// container (the form's client area when `container` is empty). Labels take
// the size of their caption; the table's size is where they start.
struct ControlRow {
    QString name;
    ControlKind kind;
    QString container;
    QString caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex = -1; // -1: takes no part in the tab order
};

using FormLayout = std::vector<ControlRow>;

// Creates the controls of a layout on `form`, names them, places them and
// sets the tab order. Returns the controls by name. Screen readers take a
// control's name from its caption, without the access-key mark.
QHash<QString, QWidget*> BuildControls(QWidget* form, const FormLayout& layout);

// The control `name` of a form built by BuildControls. A name or kind that
// does not match the form's table is a fault in the program, not in the
// learner's data: it throws, in every build, rather than hand on a null
// pointer.
template <typename Control>
Control* FindControl(const QHash<QString, QWidget*>& controls, const QString& name)
{
    if (auto* control = qobject_cast<Control*>(controls.value(name)))
        return control;
    throw std::logic_error("the form has no " + std::string(Control::staticMetaObject.className()) + " named " +
                           name.toStdString());
}

} // namespace windows
