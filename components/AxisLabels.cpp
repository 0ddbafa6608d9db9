// The tick labels of a plotting canvas, kept between repaints.
#include "AxisLabels.h"

#include "FormatFloat.h"

#include <QLocale>
#include <cstring>

namespace Tallwick {

namespace {
// Labels for values other than the marks (owner calls of the mark routines) are kept too; beyond
// this many the cache starts over, so memory stays bounded.
constexpr size_t kMaxLabels = 4096;
}  // namespace

// The attributes that make up the font's key, compared without building it: this runs for every
// label.
bool TAxisLabels::SameGlyphs(const TFont& a, const TFont& b) {
    return a.Name() == b.Name() && a.Height() == b.Height() && a.Style() == b.Style() &&
           a.Orientation() == b.Orientation() && a.Pitch() == b.Pitch();
}

void TAxisLabels::Use(const double (&limits)[4], const QString& format, const TFont& font) {
    const QLocale locale;
    if (FValid && std::memcmp(limits, FLimits, sizeof FLimits) == 0 && format == FFormat && SameGlyphs(font, FFont) &&
        locale == FLocale && FLabels.size() < kMaxLabels)
        return;
    std::memcpy(FLimits, limits, sizeof FLimits);
    FFormat = format;
    FLocale = locale;
    FFont = font;
    FMetrics = std::make_unique<QFontMetrics>(FFont.Resolved());
    FLabels.clear();
    FValid = true;
}

TAxisLabel& TAxisLabels::Label(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    auto [at, added] = FLabels.try_emplace(bits);
    TAxisLabel& label = at->second;
    if (added) {
        label.Text = FormatFloat(FFormat, value);
        label.Width = FMetrics->horizontalAdvance(label.Text);
        label.Height = FMetrics->ascent() + FMetrics->descent();
    }
    return label;
}

const TTextMask& TAxisLabels::Mask(TAxisLabel& label) {
    if (!label.MaskReady) {
        label.Mask.Update(FFont, label.Text);
        label.MaskReady = true;
    }
    return label.Mask;
}

}  // namespace Tallwick
