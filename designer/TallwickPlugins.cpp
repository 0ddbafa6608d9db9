#include "TallwickPlugins.h"

#include "ComponentPlugin.h"
#include "Tcolorbutton.h"
#include "Tveximage.h"

TTallwickPlugins::TTallwickPlugins(QObject* parent) : QObject(parent) {
    TVexImage::Register();
    TColorButton::Register();
    FWidgets << new TComponentPlugin(QStringLiteral("TVexImage"), QStringLiteral("Tveximage.h"),
                                     QStringLiteral("Image surface with direct pixel access"),
                                     [](QWidget* parent) { return new TVexImage(parent); }, this)
             << new TComponentPlugin(QStringLiteral("TColorButton"), QStringLiteral("Tcolorbutton.h"),
                                     QStringLiteral("Colour swatch that opens the colour chooser"),
                                     [](QWidget* parent) { return new TColorButton(parent); }, this);
}
