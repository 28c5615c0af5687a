#include "Accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

const char AlertProperty[] = "orvaAlert";

class AlertInterface : public QAccessibleWidget
{
public:
    explicit AlertInterface(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::AlertMessage)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *alertFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType() && object->property(AlertProperty).toBool())
        return new AlertInterface(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

namespace Accessible {

void name(QWidget *widget, const QString &name, const QString &description)
{
    // Every set sends an event to a listening screen reader, even unchanged.
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
    if (!description.isNull() && widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

void markAlert(QWidget *widget)
{
    static const bool installed = [] {
        QAccessible::installFactory(alertFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(AlertProperty, true);
}

void announce(QWidget *widget, const QString &text)
{
    if (widget->accessibleDescription() != text)
        widget->setAccessibleDescription(text);
    QAccessibleEvent event(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
    // An alert window is spoken when it shows; Qt says nothing of a tool-tip
    // window (a balloon) showing, and Linux readers take no alert event.
    if (widget->isWindow() && widget->isVisible() && widget->property(AlertProperty).toBool()) {
        QAccessibleEvent shown(widget, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

} // namespace Accessible
