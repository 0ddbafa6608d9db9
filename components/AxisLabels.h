#pragma once
// The tick labels of a plotting canvas, kept between repaints: each label's text is formatted and
// measured once, and its pixels rendered once into a coverage mask, until the axis limits, the
// number picture, the font or the locale change. A plot redrawn over the same axes (new data,
// the rubber band, a resize) then draws its labels as a few span fills each.
#include "Font.h"
#include "TextMask.h"

#include <QFontMetrics>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace Tallwick {

struct TAxisLabel {
    QString Text;
    int Width = 0;   // as TextWidth measures it
    int Height = 0;  // as TextHeight measures it
    bool MaskReady = false;
    TTextMask Mask;
};

class TAxisLabels {
public:
    // Starts over unless the labels held were made for exactly these limits, picture and font.
    void Use(const double (&limits)[4], const QString& format, const TFont& font);
    // The label of value, formatted and measured on first use.
    TAxisLabel& Label(double value);
    // Its pixels, rendered on first use.
    const TTextMask& Mask(TAxisLabel& label);

private:
    static bool SameGlyphs(const TFont& a, const TFont& b);

    double FLimits[4] = {};
    QString FFormat;
    QLocale FLocale;
    TFont FFont;
    bool FValid = false;
    std::unique_ptr<QFontMetrics> FMetrics;
    std::unordered_map<std::uint64_t, TAxisLabel> FLabels;  // by the value's bits: -0 keeps its sign
};

}  // namespace Tallwick
