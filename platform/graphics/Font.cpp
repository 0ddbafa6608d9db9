#include "Font.h"

#include "FontSubstitutions.h"

#include <cmath>
#include <cstdlib>

namespace Tallwick {

namespace {
constexpr int kPixelsPerInch = 96;
constexpr int kDefaultPixelHeight = 16;

// Win32 MulDiv: the product divided with rounding half away from zero.
int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    const long long q = (std::llabs(p) + c / 2) / c;
    return static_cast<int>(p < 0 ? -q : q);
}
}  // namespace

TFont::TFont() : FName(QStringLiteral("MS Sans Serif")), FHeight(-MulDiv(8, kPixelsPerInch, 72)) {}

int TFont::Size() const { return -MulDiv(FHeight, 72, kPixelsPerInch); }

void TFont::SetSize(int points) { FHeight = -MulDiv(points, kPixelsPerInch, 72); }

QString TFont::Key() const {
    return QStringLiteral("%1|%2|%3|%4").arg(FName).arg(FHeight).arg(FStyle).arg(FOrientation);
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
    font.setKerning(false);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    FResolved = font;
    FResolvedKey = key;
    return FResolved;
}

}  // namespace Tallwick
