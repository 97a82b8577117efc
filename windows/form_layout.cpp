#include "windows/form_layout.h"

#include "widgets/picture_label.h"
#include "widgets/wrapping_button.h"
#include "widgets/wrapping_check_box.h"
#include "windows/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <utility>

namespace windows {

namespace {

QWidget* CreateControl(const ControlRow& row, QWidget* container)
{
    switch (row.kind) {
    case ControlKind::Frame:
        return new QGroupBox(row.caption, container);
    case ControlKind::Picture:
        return new widgets::PictureLabel(container);
    case ControlKind::Label:
        return new QLabel(row.caption, container);
    case ControlKind::TextBox:
        return new QLineEdit(container);
    case ControlKind::Button:
        return new widgets::WrappingButton(row.caption, container);
    case ControlKind::CheckBox:
        return new widgets::WrappingCheckBox(row.caption, container);
    }
    throw std::logic_error("unknown control kind");
}

bool TakesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::Button || kind == ControlKind::CheckBox;
}

} // namespace

QHash<QString, QWidget*> BuildControls(QWidget* form, const FormLayout& layout)
{
    QHash<QString, QWidget*> controls;
    std::vector<std::pair<int, QWidget*>> tabOrder;

    for (const ControlRow& row : layout) {
        QWidget* container = row.container.isEmpty() ? form : controls.value(row.container);
        if (!container)
            throw std::logic_error("container listed after its control: " + row.name.toStdString());

        QWidget* control = CreateControl(row, container);
        control->setObjectName(row.name);
        control->setGeometry(ToPixelRect(row.left, row.top, row.width, row.height));
        if (row.kind == ControlKind::Label)
            control->adjustSize();
        if (TakesFocus(row.kind))
            tabOrder.emplace_back(row.tabIndex, control);
        else
            control->setFocusPolicy(Qt::NoFocus);
        controls.insert(row.name, control);
    }

    // Stable, so that two controls given the same index keep the order of the
    // table on every standard library rather than whichever its sort leaves.
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return controls;
}

} // namespace windows
