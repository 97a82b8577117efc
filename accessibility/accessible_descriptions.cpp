#include "accessibility/accessible_descriptions.h"

#include "accessibility/announcer.h"
#include "accessibility/device_pixel_extents.h"
#include "accessibility/window_role.h"
#include "platform/screen_readers.h"
#include "widgets/picture_label.h"

#include <QAccessibleWidget>

#include <utility>

namespace accessibility {

namespace {

// A picture is out of sight when no part of it lies inside its container,
// as the small tsu is until a doubled kana needs it.
class PictureDescription : public QAccessibleWidget {
public:
    explicit PictureDescription(widgets::PictureLabel* picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const QWidget* picture = widget();
        if (!picture->rect().translated(picture->pos()).intersects(picture->parentWidget()->rect())) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }
};

QAccessibleInterface* DescribeOwn(QObject* object)
{
    if (auto* window = dynamic_cast<const WindowRole*>(object))
        return new QAccessibleWidget(qobject_cast<QWidget*>(object), window->accessibleRole());
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    if (auto* picture = qobject_cast<widgets::PictureLabel*>(object))
        return new PictureDescription(picture);
    return nullptr;
}

// The accessibility cache owns the interface it is handed.
QAccessibleInterface* Describe(const QString&, QObject* object)
{
    // Asked again for the same widget while wrapping it: this time for the
    // description itself, the program's own or else Qt's.
    static QObject* wrapping = nullptr;
    if (object == wrapping || !object->isWidgetType() || !platform::kScreenReadersWantDevicePixels)
        return DescribeOwn(object);
    // Describing one widget may ask for another's description on the way.
    QObject* const outer = std::exchange(wrapping, object);
    QAccessibleInterface* logical = QAccessible::queryAccessibleInterface(object);
    wrapping = outer;
    return logical ? InDevicePixels(logical) : nullptr;
}

} // namespace

void InstallAccessibleDescriptions()
{
    QAccessible::installFactory(Describe);
}

} // namespace accessibility
