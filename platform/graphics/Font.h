#pragma once
// A canvas font: face name, size in points, style, colour and escapement. Sizes become pixel
// em-heights at 96 pixels per inch whatever the device, so text measures the same everywhere.
// Text is drawn aliased, as the classic desktop drew it; that also keeps cached text exact.
#include "Color.h"

#include <QFont>
#include <QString>

namespace Tallwick {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
public:
    TFont();

    const QString& Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    int Size() const;                 // points
    void SetSize(int points);
    int Height() const { return FHeight; }  // pixels; negative: the em-height
    void SetHeight(int pixels) { FHeight = pixels; }
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style) { FStyle = style; }
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    int Orientation() const { return FOrientation; }  // tenths of a degree, counter-clockwise
    void SetOrientation(int tenths) { FOrientation = tenths; }

    void Assign(const TFont& other) { *this = other; }

    // The Qt font for the current name, size and style (built again only after a change).
    const QFont& Resolved() const;
    // A key that changes whenever the glyphs drawn would change.
    QString Key() const;

private:
    QString FName;
    int FHeight;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FOrientation = 0;
    mutable QFont FResolved;
    mutable QString FResolvedKey;
};

}  // namespace Tallwick
