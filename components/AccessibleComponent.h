#pragma once
// What assistive technology sees of a visual component: its role, a name a person can read, a
// value and description as text, and, for components that hold a number in a range, the value
// interface. What differs between the components is one TAccessibleKind each (AccessibleKinds.cpp);
// the component's inner widgets (image surface, inner panels, face button) are its own business
// and are not shown as children.
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QString>

namespace Tallwick {

// A number with its range, as the value interface gives it.
struct TAccessibleNumber {
    double Current = 0, Minimum = 0, Maximum = 0, Step = 0;
};

struct TAccessibleKind {
    const QMetaObject* Type;  // the component class, or a base of it
    QAccessible::Role Role;
    const char* Name;                              // when the program names the widget in no other way
    QString (*Value)(QWidget*);                    // the value as text; null: none
    QString (*Description)(QWidget*);              // null: the tooltip, as for any widget
    void (*Number)(QWidget*, TAccessibleNumber*);  // null: no value interface
    void (*Watch)(QWidget*);                       // connects the changes to accessibility events
    void (*Press)(QWidget*);                       // the press action; null: none
};

class TAccessibleComponent : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    TAccessibleComponent(QWidget* widget, const TAccessibleKind& kind);

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}  // the components' values are the program's
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    TAccessibleNumber Number() const;

    const TAccessibleKind& FKind;
};

}  // namespace Tallwick
