// The canvas font: sizes in points as pixel heights at 96 pixels per inch, and the Qt font drawn with.
#include "Font.h"

#include "FontSubstitutions.h"
#include "MulDiv.h"

#include <cmath>
#include <cstdlib>

namespace Tallwick {

class TFont::Private {
public:
    QString FName;
    int FHeight;
    TFontStyles FStyle = 0;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    TColor FColor = clWindowText;
    int FOrientation = 0;
    mutable QFont FResolved;
    mutable QString FResolvedKey;
};

namespace {
constexpr int kPixelsPerInch = 96;
constexpr int kDefaultPixelHeight = 16;
}  // namespace

TFont::TFont() : d(std::make_unique<Private>()) {
    d->FName = QStringLiteral("MS Sans Serif");
    d->FHeight = -MulDiv(8, kPixelsPerInch, 72);
}

int TFont::Size() const { return -MulDiv(d->FHeight, 72, kPixelsPerInch); }

void TFont::SetSize(int points) {
    d->FHeight = -MulDiv(points, kPixelsPerInch, 72);
    d->FOrientation = 0;
}

HFONT CreateFontIndirect(const TLogFont& logFont) {
    auto font = std::make_shared<TLogFont>(logFont);
    font->lfFaceName.truncate(31);
    return font;
}

HFONT TFont::Handle() const {
    TLogFont lf;
    lf.lfHeight = d->FHeight;
    lf.lfEscapement = d->FOrientation;
    lf.lfWeight = d->FStyle & fsBold ? 700 : 400;
    lf.lfItalic = d->FStyle & fsItalic;
    lf.lfUnderline = d->FStyle & fsUnderline;
    lf.lfStrikeOut = d->FStyle & fsStrikeOut;
    lf.lfCharSet = d->FCharset;
    lf.lfPitchAndFamily = d->FPitch == fpFixed ? 1 : d->FPitch == fpVariable ? 2 : 0;
    lf.lfFaceName = d->FName;
    return CreateFontIndirect(lf);
}

void TFont::SetHandle(const HFONT& font) {
    if (!font)
        return;
    d->FName = font->lfFaceName;
    d->FHeight = font->lfHeight;
    d->FStyle = 0;
    if (font->lfWeight >= 700)
        d->FStyle |= fsBold;
    if (font->lfItalic)
        d->FStyle |= fsItalic;
    if (font->lfUnderline)
        d->FStyle |= fsUnderline;
    if (font->lfStrikeOut)
        d->FStyle |= fsStrikeOut;
    d->FCharset = font->lfCharSet;
    const int pitch = font->lfPitchAndFamily & 3;
    d->FPitch = pitch == 1 ? fpFixed : pitch == 2 ? fpVariable : fpDefault;
    d->FOrientation = font->lfEscapement;
}

QString TFont::Key() const {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(d->FName)
        .arg(d->FHeight)
        .arg(d->FStyle)
        .arg(d->FOrientation)
        .arg(int(d->FPitch));
}

const QFont& TFont::Resolved() const {
    const QString key = Key();
    if (key == d->FResolvedKey)
        return d->FResolved;
    InstallFontSubstitutions();
    QFont font(d->FName);
    // A height of 0 asks the font mapper for its default height (12 points here).
    font.setPixelSize(d->FHeight == 0 ? kDefaultPixelHeight : std::abs(d->FHeight));
    font.setBold(d->FStyle & fsBold);
    font.setItalic(d->FStyle & fsItalic);
    font.setUnderline(d->FStyle & fsUnderline);
    font.setStrikeOut(d->FStyle & fsStrikeOut);
    if (d->FPitch == fpFixed)  // a face that is not there falls back to a fixed-pitch one
        font.setStyleHint(QFont::Monospace);
    font.setKerning(false);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    d->FResolved = font;
    d->FResolvedKey = key;
    return d->FResolved;
}

const QString& TFont::Name() const { return d->FName; }
void TFont::SetName(const QString& name) {
    d->FName = name;
    d->FOrientation = 0;
}
int TFont::Height() const { return d->FHeight; }
void TFont::SetHeight(int pixels) {
    d->FHeight = pixels;
    d->FOrientation = 0;
}
TFontStyles TFont::Style() const { return d->FStyle; }
void TFont::SetStyle(TFontStyles style) {
    d->FStyle = style;
    d->FOrientation = 0;
}
TFontCharset TFont::Charset() const { return d->FCharset; }
void TFont::SetCharset(TFontCharset charset) {
    d->FCharset = charset;
    d->FOrientation = 0;
}
TFontPitch TFont::Pitch() const { return d->FPitch; }
void TFont::SetPitch(TFontPitch pitch) {
    d->FPitch = pitch;
    d->FOrientation = 0;
}
TColor TFont::Color() const { return d->FColor; }
void TFont::SetColor(TColor color) { d->FColor = color; }
int TFont::Orientation() const { return d->FOrientation; }
void TFont::SetOrientation(int tenths) { d->FOrientation = tenths; }
TFont::~TFont() = default;

TFont::TFont(const TFont& other) : d(std::make_unique<Private>(*other.d)) {}
TFont& TFont::operator=(const TFont& other) {
    *d = *other.d;
    return *this;
}

}  // namespace Tallwick
