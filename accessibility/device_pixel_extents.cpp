#include "accessibility/device_pixel_extents.h"

#include <QAccessible>
#include <QScreen>
#include <QWindow>

namespace accessibility {

namespace {

// Qt scales each screen about its own top-left corner, which keeps its
// place in both kinds of pixels.
QScreen* ScreenOf(QAccessibleInterface* interface)
{
    QWindow* window = interface->window();
    return window ? window->screen() : nullptr;
}

QPoint ToDevice(const QScreen& screen, QPoint logical)
{
    const QPoint origin = screen.geometry().topLeft();
    return origin + (logical - origin) * screen.devicePixelRatio();
}

// Every question goes to Qt's description; only positions are converted.
class DevicePixelExtents : public QAccessibleInterface {
public:
    explicit DevicePixelExtents(QAccessibleInterface* logical)
        : logical_(logical)
        , logicalId_(QAccessible::uniqueId(logical))
    {
    }
    ~DevicePixelExtents() override { QAccessible::deleteAccessibleInterface(logicalId_); }

    QRect rect() const override
    {
        const QRect logical = logical_->rect();
        QScreen* screen = ScreenOf(logical_);
        if (!screen || logical.isNull())
            return logical;
        return {ToDevice(*screen, logical.topLeft()), logical.size() * screen->devicePixelRatio()};
    }
    // Qt's own search would compare the point with the children's
    // positions, which are told in device pixels here.
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* candidate = child(i);
            if (candidate && candidate->isValid() && !candidate->state().invisible && candidate->rect().contains(x, y))
                return candidate;
        }
        return nullptr;
    }

    bool isValid() const override { return logical_->isValid(); }
    QObject* object() const override { return logical_->object(); }
    QWindow* window() const override { return logical_->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        return logical_->relations(match);
    }
    QAccessibleInterface* focusChild() const override { return logical_->focusChild(); }
    QAccessibleInterface* parent() const override { return logical_->parent(); }
    QAccessibleInterface* child(int index) const override { return logical_->child(index); }
    int childCount() const override { return logical_->childCount(); }
    // Qt's descriptions find a child by its object, whichever description
    // of it is asked about.
    int indexOfChild(const QAccessibleInterface* child) const override { return logical_->indexOfChild(child); }
    QString text(QAccessible::Text t) const override { return logical_->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { logical_->setText(t, text); }
    QAccessible::Role role() const override { return logical_->role(); }
    QAccessible::State state() const override { return logical_->state(); }
    QColor foregroundColor() const override { return logical_->foregroundColor(); }
    QColor backgroundColor() const override { return logical_->backgroundColor(); }
    void* interface_cast(QAccessible::InterfaceType type) override { return logical_->interface_cast(type); }

private:
    QAccessibleInterface* logical_;
    QAccessible::Id logicalId_;
};

} // namespace

QAccessibleInterface* InDevicePixels(QAccessibleInterface* logical)
{
    return new DevicePixelExtents(logical);
}

} // namespace accessibility
