// TColor (0x00BBGGRR) and the system colours resolved through the application palette.
#include "Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace Tallwick {

namespace {

// Classic desktop values, used when no application (and so no palette) exists.
TColor FallbackSystemColor(int index) {
    switch (index) {
    case 5: return clWhite;  // window
    case 8:
    case 18: return clBlack;             // window text, button text
    case 15: return clSilver;            // button face
    case 16: return clGray;              // button shadow
    case 20: return clWhite;             // 3-D highlight
    case 21: return RGB(64, 64, 64);     // 3-D dark shadow
    case 22: return RGB(223, 223, 223);  // 3-D light
    default: return clSilver;
    }
}

QPalette::ColorRole PaletteRole(int index, bool& known) {
    known = true;
    switch (index) {
    case 1: return QPalette::Dark;  // desktop
    case 2:
    case 13: return QPalette::Highlight;
    case 4: return QPalette::Window;  // menu
    case 5: return QPalette::Base;    // window
    case 6:
    case 21: return QPalette::Shadow;     // window frame, 3-D dark shadow
    case 7: return QPalette::WindowText;  // menu text
    case 8: return QPalette::Text;        // window text
    case 9:
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;
    case 16: return QPalette::Dark;  // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;     // 3-D highlight
    case 22: return QPalette::Midlight;  // 3-D light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: known = false; return QPalette::Button;
    }
}

}  // namespace

TColor ColorToRGB(TColor c) {
    if (!IsSystemColor(c))
        return c & 0xFFFFFF;
    const int index = c & 0xFF;
    bool known = false;
    const QPalette::ColorRole role = PaletteRole(index, known);
    if (!known || !qGuiApp)
        return FallbackSystemColor(index);
    return QRgbToColor(QGuiApplication::palette().color(QPalette::Active, role).rgb());
}

QRgb ColorToQRgb(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

}  // namespace Tallwick
