#include "TallwickPlugins.h"

#include "ComponentPlugin.h"
#include "Tcolorbutton.h"
#include "Tveximage.h"

namespace Tallwick {

TTallwickPlugins::TTallwickPlugins(QObject* parent) : QObject(parent) {
    TVexImage::Register();
    TColorButton::Register();
    FWidgets << new TComponentPlugin(QStringLiteral("Tallwick::TVexImage"), QStringLiteral("Tveximage.h"),
                                     QStringLiteral("Image surface with direct pixel access"),
                                     [](QWidget* parent) { return new TVexImage(parent); }, this)
             << new TComponentPlugin(QStringLiteral("Tallwick::TColorButton"), QStringLiteral("Tcolorbutton.h"),
                                     QStringLiteral("Colour swatch that opens the colour chooser"),
                                     [](QWidget* parent) { return new TColorButton(parent); }, this);
}

}  // namespace Tallwick
