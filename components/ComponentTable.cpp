// The one list of the library's components.
#include "ComponentTable.h"

#include "ComponentRegistry.h"
#include "Diskinfo.h"
#include "Tcanvas2d.h"
#include "Tcolorbutton.h"
#include "Tescala.h"
#include "Tpnlimg.h"
#include "Tpoly.h"
#include "Tveximage.h"
#include "Tvexprogress.h"

#include <QMetaObject>

namespace Tallwick {

#define TALLWICK_COMPONENT(Class, header, toolTip, width, height)                \
    TComponentInfo {                                                             \
#Class, &Class::staticMetaObject, header, toolTip, QSize(width, height), \
            [](QWidget * owner) -> QObject* { return new Class(owner); }         \
    }
#define TALLWICK_NONVISUAL_COMPONENT(Class, header, toolTip)             \
    TComponentInfo {                                                     \
#Class, &Class::staticMetaObject, header, toolTip, QSize(),      \
            [](QWidget * owner) -> QObject* { return new Class(owner); } \
    }

const std::vector<TComponentInfo>& ComponentTable() {
    static const std::vector<TComponentInfo> table = {
        TALLWICK_COMPONENT(TVexImage, "Tveximage.h", "Image surface with drawing primitives and direct pixel access",
                           105, 105),
        TALLWICK_COMPONENT(TColorButton, "Tcolorbutton.h", "Colour swatch that opens the colour chooser", 64, 24),
        TALLWICK_COMPONENT(TPnlImg, "Tpnlimg.h", "Bevelled panel with an image surface and optional scroll bars", 160,
                           160),
        TALLWICK_COMPONENT(TEscala, "Tescala.h", "Colour scale mapping values to colours, with labels", 48, 320),
        TALLWICK_COMPONENT(TPoly, "Tpoly.h", "Regular or owner-placed polygon that measures and samples its contour",
                           160, 160),
        TALLWICK_COMPONENT(TVexProgress, "Tvexprogress.h",
                           "Progress bar painted as a colour gradient, with an inverted percentage", 200, 15),
        TALLWICK_COMPONENT(TCanvas2D, "Tcanvas2d.h", "Plot with axes, world-coordinate drawing, animated zoom and pan",
                           160, 160),
        TALLWICK_NONVISUAL_COMPONENT(TDiskInfo, "Diskinfo.h",
                                     "Kind, label, file system, serial number and size of a drive"),
    };
    return table;
}

QString TComponentInfo::QualifiedName() const { return QString::fromLatin1(MetaObject->className()); }

const TComponentInfo* FindComponent(const QString& name) {
    for (const TComponentInfo& info : ComponentTable())
        if (name == QLatin1String(info.Name) || name == info.QualifiedName())
            return &info;
    return nullptr;
}

void Register() {
    for (const TComponentInfo& info : ComponentTable())
        RegisterComponent(QString::fromLatin1(kPaletteName), QString::fromLatin1(info.Name));
}

}  // namespace Tallwick
