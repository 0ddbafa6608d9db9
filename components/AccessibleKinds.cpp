// Which accessible face each visual component gets, and the factory that hands it to Qt. The
// factory is installed when the application object is made (or at once, when the library is
// loaded into a running application), so every program using the components is accessible.
#include "AccessibleComponent.h"
#include "FormatFloat.h"
#include "Tcanvas2d.h"
#include "Tcolorbutton.h"
#include "Tescala.h"
#include "Tpnlimg.h"
#include "Tpoly.h"
#include "Tveximage.h"
#include "Tvexprogress.h"

#include <QAccessible>
#include <QCoreApplication>
#include <iterator>

namespace Tallwick {

namespace {

QString Translated(const char* text) { return QCoreApplication::translate("Tallwick::TAccessibleComponent", text); }

// Events are made only while an assistive technology listens.
void SendValueChange(QWidget* widget, const QVariant& value) {
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(widget, value);
    QAccessible::updateAccessibility(&event);
}

void SendEvent(QWidget* widget, QAccessible::Event type) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, type);
    QAccessible::updateAccessibility(&event);
}

// ---- Progress bar

QString ProgressValue(QWidget* w) { return static_cast<TVexProgress*>(w)->LabelText(); }

void ProgressNumber(QWidget* w, TAccessibleNumber* number) {
    const auto* bar = static_cast<TVexProgress*>(w);
    *number = TAccessibleNumber{double(bar->Position()), double(bar->Min()), double(bar->Max()), 1};
}

void ProgressWatch(QWidget* w) {
    auto* bar = static_cast<TVexProgress*>(w);
    for (auto changed : {&TVexProgress::PositionChanged, &TVexProgress::MinChanged, &TVexProgress::MaxChanged})
        QObject::connect(bar, changed, bar, [bar] { SendValueChange(bar, bar->Position()); });
}

// ---- Colour scale: its range

QString ScaleValue(QWidget* w) {
    const auto* scale = static_cast<TEscala*>(w);
    return Translated("%1 to %2")
        .arg(FormatFloat(scale->Format(), scale->Minimum()), FormatFloat(scale->Format(), scale->Maximum()));
}

void ScaleWatch(QWidget* w) {
    auto* scale = static_cast<TEscala*>(w);
    for (auto changed : {&TEscala::MinimumChanged, &TEscala::MaximumChanged, &TEscala::FormatChanged})
        QObject::connect(scale, changed, scale, [scale] { SendValueChange(scale, ScaleValue(scale)); });
}

// ---- Plot: the box of world coordinates shown

QString PlotDescription(QWidget* w) {
    const auto* plot = static_cast<TCanvas2D*>(w);
    const auto number = [plot](double value) { return FormatFloat(plot->Format(), value); };
    return Translated("x from %1 to %2, y from %3 to %4")
        .arg(number(plot->AxisXMin()), number(plot->AxisXMax()), number(plot->AxisYMin()), number(plot->AxisYMax()));
}

void PlotWatch(QWidget* w) {
    auto* plot = static_cast<TCanvas2D*>(w);
    for (auto changed : {&TCanvas2D::AxisXMinChanged, &TCanvas2D::AxisXMaxChanged, &TCanvas2D::AxisYMinChanged,
                         &TCanvas2D::AxisYMaxChanged, &TCanvas2D::FormatChanged})
        QObject::connect(plot, changed, plot, [plot] { SendEvent(plot, QAccessible::DescriptionChanged); });
}

// ---- Pictures

QString ImageDescription(QWidget* w) {
    const TPicture* picture = static_cast<TVexImage*>(w)->Picture();
    if (picture->Width() <= 0 || picture->Height() <= 0)
        return Translated("Empty");
    return Translated("%1 x %2 pixels").arg(picture->Width()).arg(picture->Height());
}

QString PolyDescription(QWidget* w) {
    const int count = static_cast<TPoly*>(w)->Count();
    return count > 0 ? Translated("%1 corners").arg(count) : Translated("Empty");
}

void PolyWatch(QWidget* w) {
    auto* poly = static_cast<TPoly*>(w);
    QObject::connect(poly, &TPoly::CountChanged, poly, [poly] { SendEvent(poly, QAccessible::DescriptionChanged); });
}

// ---- Colour button

QString ColorButtonValue(QWidget* w) { return static_cast<TColorButton*>(w)->ColorQColor().name(); }

void ColorButtonWatch(QWidget* w) {
    auto* button = static_cast<TColorButton*>(w);
    QObject::connect(button, &TCustomPanel::ColorChanged, button,
                     [button] { SendValueChange(button, ColorButtonValue(button)); });
}

void ColorButtonPress(QWidget* w) {
    auto* button = static_cast<TColorButton*>(w);
    button->ButtonClick(button);
}

// Subclasses before their bases: the first kind the widget is of wins.
const TAccessibleKind kKinds[] = {
    {&TVexProgress::staticMetaObject, QAccessible::ProgressBar,
     QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Progress"), ProgressValue, nullptr, ProgressNumber,
     ProgressWatch, nullptr},
    {&TEscala::staticMetaObject, QAccessible::Indicator,
     QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Colour scale"), ScaleValue, nullptr, nullptr, ScaleWatch,
     nullptr},
    {&TPoly::staticMetaObject, QAccessible::Graphic, QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Polygon"),
     nullptr, PolyDescription, nullptr, PolyWatch, nullptr},
    {&TPnlImg::staticMetaObject, QAccessible::Graphic,
     QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Image panel"), nullptr, nullptr, nullptr, nullptr, nullptr},
    {&TCanvas2D::staticMetaObject, QAccessible::Chart, QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Plot"),
     nullptr, PlotDescription, nullptr, PlotWatch, nullptr},
    {&TVexImage::staticMetaObject, QAccessible::Graphic, QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Picture"),
     nullptr, ImageDescription, nullptr, nullptr, nullptr},
    {&TColorButton::staticMetaObject, QAccessible::Button,
     QT_TRANSLATE_NOOP("Tallwick::TAccessibleComponent", "Colour button"), ColorButtonValue, nullptr, nullptr,
     ColorButtonWatch, ColorButtonPress},
};

// Qt asks once per object and keeps the answer while the object lives, so each component's
// changes are connected to events exactly once.
QAccessibleInterface* ComponentFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    for (const TAccessibleKind& kind : kKinds) {
        if (!object->metaObject()->inherits(kind.Type))
            continue;
        auto* widget = static_cast<QWidget*>(object);
        if (kind.Watch)
            kind.Watch(widget);
        return new TAccessibleComponent(widget, kind);
    }
    return nullptr;
}

void InstallComponentFactory() { QAccessible::installFactory(ComponentFactory); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallComponentFactory)

// A static library's object file goes into a program only when something refers to it, and
// nothing refers to the startup function above: the static (Windows) library makes every program
// that links it ask for this symbol (cmake/TallwickLibrary.cmake), which brings this file along.
extern "C" const int tallwick_accessible_faces = 1;

}  // namespace Tallwick
