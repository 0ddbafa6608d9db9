// The Qt face of a component's font property: Designer edits a QFont, the component keeps a TFont.
#include "FontProperty.h"

namespace Tallwick {

QFont FontToQFont(const TFont& font) {
    QFont f(font.Name());
    if (font.Height() < 0)
        f.setPointSize(font.Size());
    else if (font.Height() > 0)
        f.setPixelSize(font.Height());
    f.setBold(font.Style() & fsBold);
    f.setItalic(font.Style() & fsItalic);
    f.setUnderline(font.Style() & fsUnderline);
    f.setStrikeOut(font.Style() & fsStrikeOut);
    return f;
}

TFont FontWithQFont(const TFont& base, const QFont& font) {
    TFont t = base;
    t.SetName(font.family());
    if (font.pointSize() > 0)
        t.SetSize(font.pointSize());
    else if (font.pixelSize() > 0)
        t.SetHeight(font.pixelSize());
    TFontStyles style = 0;
    if (font.bold())
        style |= fsBold;
    if (font.italic())
        style |= fsItalic;
    if (font.underline())
        style |= fsUnderline;
    if (font.strikeOut())
        style |= fsStrikeOut;
    t.SetStyle(style);
    return t;
}

}  // namespace Tallwick
