#include "windows/form_layout.h"

#include "windows/twips.h"
#include "windows/wrapping_button.h"
#include "windows/wrapping_check_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace windows {

namespace {

QWidget* createControl(const ControlSpec& spec, QWidget* container)
{
    switch (spec.kind) {
    case ControlKind::Frame:
        return new QGroupBox(spec.caption, container);
    case ControlKind::Picture:
        return new QLabel(container);
    case ControlKind::Label:
        return new QLabel(spec.caption, container);
    case ControlKind::TextBox:
        return new QLineEdit(container);
    case ControlKind::Button:
        return new WrappingButton(spec.caption, container);
    case ControlKind::CheckBox:
        return new WrappingCheckBox(spec.caption, container);
    }
    throw std::logic_error("unknown control kind");
}

bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::Button || kind == ControlKind::CheckBox;
}

} // namespace

QString plainCaption(const QString& caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&&" stands for one "&", "&x" for a plain x
        plain += caption[i];
    }
    return plain;
}

QHash<QString, QWidget*> BuildControls(QWidget* form, const FormLayout& layout)
{
    QHash<QString, QWidget*> controls;
    std::vector<std::pair<int, QWidget*>> tabOrder;

    for (const ControlSpec& spec : layout) {
        QWidget* container = spec.container.isEmpty() ? form : controls.value(spec.container);
        if (!container)
            throw std::logic_error("container listed after its control: " + spec.name.toStdString());

        QWidget* control = createControl(spec, container);
        control->setObjectName(spec.name);
        control->setGeometry(toPixelRect(spec.left, spec.top, spec.width, spec.height));
        if (spec.kind == ControlKind::Label)
            control->adjustSize();
        if (!spec.caption.isEmpty())
            control->setAccessibleName(plainCaption(spec.caption));
        if (takesFocus(spec.kind))
            tabOrder.emplace_back(spec.tabIndex, control);
        else
            control->setFocusPolicy(Qt::NoFocus);
        controls.insert(spec.name, control);
    }

    std::sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return controls;
}

} // namespace windows
