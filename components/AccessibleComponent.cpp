// The accessible face shared by the visual components; what each one shows comes from its kind.
#include "AccessibleComponent.h"

#include <QCoreApplication>
#include <QWidget>

namespace Tallwick {

TAccessibleComponent::TAccessibleComponent(QWidget* widget, const TAccessibleKind& kind)
    : QAccessibleWidget(widget, kind.Role),
      FKind(kind) {}

// The name the program gave (accessible name, a label's buddy) first, then the tooltip, then the
// kind of component.
QString TAccessibleComponent::text(QAccessible::Text t) const {
    QWidget* w = widget();
    switch (t) {
    case QAccessible::Name: {
        QString name = QAccessibleWidget::text(t);
        if (name.isEmpty())
            name = w->toolTip();
        return name.isEmpty() ? QCoreApplication::translate("Tallwick::TAccessibleComponent", FKind.Name) : name;
    }
    case QAccessible::Value: return FKind.Value ? FKind.Value(w) : QString();
    case QAccessible::Description:
        if (FKind.Description)
            return FKind.Description(w);
        return QAccessibleWidget::text(t);
    default: return QAccessibleWidget::text(t);
    }
}

void* TAccessibleComponent::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface)
        return FKind.Number ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    return QAccessibleWidget::interface_cast(type);
}

QStringList TAccessibleComponent::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (FKind.Press && widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void TAccessibleComponent::doAction(const QString& actionName) {
    if (actionName == pressAction() && FKind.Press && widget()->isEnabled())
        FKind.Press(widget());
    else
        QAccessibleWidget::doAction(actionName);
}

TAccessibleNumber TAccessibleComponent::Number() const {
    TAccessibleNumber number;
    if (FKind.Number)
        FKind.Number(widget(), &number);
    return number;
}

QVariant TAccessibleComponent::currentValue() const { return Number().Current; }
QVariant TAccessibleComponent::maximumValue() const { return Number().Maximum; }
QVariant TAccessibleComponent::minimumValue() const { return Number().Minimum; }
QVariant TAccessibleComponent::minimumStepSize() const { return Number().Step; }

}  // namespace Tallwick
