// The canvas font: sizes in points as pixel heights at 96 pixels per inch, and the Qt font drawn with.
#include "Font.h"

#include "FontSubstitutions.h"
#include "MulDiv.h"

#include <cmath>
#include <cstdlib>

namespace Tallwick {

namespace {
constexpr int kPixelsPerInch = 96;
constexpr int kDefaultPixelHeight = 16;
}  // namespace

TFont::TFont() : FName(QStringLiteral("MS Sans Serif")), FHeight(-MulDiv(8, kPixelsPerInch, 72)) {}

int TFont::Size() const { return -MulDiv(FHeight, 72, kPixelsPerInch); }

void TFont::SetSize(int points) {
    FHeight = -MulDiv(points, kPixelsPerInch, 72);
    FOrientation = 0;
}

HFONT CreateFontIndirect(const TLogFont& logFont) {
    auto font = std::make_shared<TLogFont>(logFont);
    font->lfFaceName.truncate(31);
    return font;
}

HFONT TFont::Handle() const {
    TLogFont lf;
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfWeight = FStyle & fsBold ? 700 : 400;
    lf.lfItalic = FStyle & fsItalic;
    lf.lfUnderline = FStyle & fsUnderline;
    lf.lfStrikeOut = FStyle & fsStrikeOut;
    lf.lfCharSet = FCharset;
    lf.lfPitchAndFamily = FPitch == fpFixed ? 1 : FPitch == fpVariable ? 2 : 0;
    lf.lfFaceName = FName;
    return CreateFontIndirect(lf);
}

void TFont::SetHandle(const HFONT& font) {
    if (!font)
        return;
    FName = font->lfFaceName;
    FHeight = font->lfHeight;
    FStyle = 0;
    if (font->lfWeight >= 700)
        FStyle |= fsBold;
    if (font->lfItalic)
        FStyle |= fsItalic;
    if (font->lfUnderline)
        FStyle |= fsUnderline;
    if (font->lfStrikeOut)
        FStyle |= fsStrikeOut;
    FCharset = font->lfCharSet;
    const int pitch = font->lfPitchAndFamily & 3;
    FPitch = pitch == 1 ? fpFixed : pitch == 2 ? fpVariable : fpDefault;
    FOrientation = font->lfEscapement;
}

QString TFont::Key() const {
    return QStringLiteral("%1|%2|%3|%4|%5").arg(FName).arg(FHeight).arg(FStyle).arg(FOrientation).arg(int(FPitch));
}

const QFont& TFont::Resolved() const {
    const QString key = Key();
    if (key == FResolvedKey)
        return FResolved;
    InstallFontSubstitutions();
    QFont font(FName);
    // A height of 0 asks the font mapper for its default height (12 points here).
    font.setPixelSize(FHeight == 0 ? kDefaultPixelHeight : std::abs(FHeight));
    font.setBold(FStyle & fsBold);
    font.setItalic(FStyle & fsItalic);
    font.setUnderline(FStyle & fsUnderline);
    font.setStrikeOut(FStyle & fsStrikeOut);
    if (FPitch == fpFixed)  // a face that is not there falls back to a fixed-pitch one
        font.setStyleHint(QFont::Monospace);
    font.setKerning(false);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    FResolved = font;
    FResolvedKey = key;
    return FResolved;
}

}  // namespace Tallwick
