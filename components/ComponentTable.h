#pragma once
/// \file
/// The one list of the library's components. Each entry drives Register() (the palette page
/// "Tallwick"), the Qt Designer plugin (group, tooltip, default size, icon) and the test that
/// creates, round-trips and paints every component. Adding a component is one line in
/// ComponentTable.cpp.
#include <Tallwick/TallwickExport.h>

#include <QSize>
#include <QString>
#include <vector>

class QMetaObject;
class QObject;
class QWidget;

namespace Tallwick {

struct TALLWICK_EXPORT TComponentInfo {
    const char* Name;                    ///< class name without the namespace, e.g. "TVexImage"
    const QMetaObject* MetaObject;       ///< class, properties and signals
    const char* Header;                  ///< what a program includes
    const char* ToolTip;                 ///< one line for Designer's widget box
    QSize DefaultSize;                   ///< invalid for a non-visual component
    QObject* (*Create)(QWidget* owner);  ///< a new component owned by `owner` (may be null)

    bool Visual() const { return DefaultSize.isValid(); }
    QString QualifiedName() const;  ///< "Tallwick::TVexImage", as Qt and Designer name it
};

inline constexpr const char* kPaletteName = "Tallwick";

TALLWICK_EXPORT const std::vector<TComponentInfo>& ComponentTable();
/// The entry of a class, by plain or qualified name; nullptr when the library has no such component.
TALLWICK_EXPORT const TComponentInfo* FindComponent(const QString& name);
/// Makes every component of the table known on the palette page "Tallwick".
TALLWICK_EXPORT void Register();

}  // namespace Tallwick
