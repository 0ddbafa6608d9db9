// The pixels a string covers in a font, rendered once and kept as spans, so text drawn many times
// (the saver's shadowed date and time) costs a few span fills instead of a glyph rendering each
// time.
#include "TextMask.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace Tallwick {

class TTextMask::Private {
public:
    QString FText;
    QString FFontKey;
    bool FValid = false;
    int FWidth = 0, FHeight = 0, FAscent = 0;
    std::vector<Span> FSpans;
};

void TTextMask::Update(const TFont& font, const QString& text) {
    const QString key = font.Key();
    if (d->FValid && text == d->FText && key == d->FFontKey)
        return;
    const QFont& qfont = font.Resolved();
    const QFontMetrics metrics(qfont);
    d->FText = text;
    d->FFontKey = key;
    d->FWidth = metrics.horizontalAdvance(text);
    d->FAscent = metrics.ascent();
    d->FHeight = metrics.ascent() + metrics.descent();
    d->FSpans.clear();
    d->FValid = true;

    // Glyphs may overhang the cell (italics, wide serifs): render with a margin around it.
    const int margin = qfont.pixelSize() + 2;
    QImage image(d->FWidth + 2 * margin, d->FHeight + 2 * margin, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(qfont);
        painter.setPen(Qt::white);
        painter.drawText(margin, margin + d->FAscent, text);
    }
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == 0)
                continue;
            if (!d->FSpans.empty() && d->FSpans.back().y == y - margin && d->FSpans.back().x1 == x - margin - 1)
                d->FSpans.back().x1 = x - margin;
            else
                d->FSpans.push_back({y - margin, x - margin, x - margin});
        }
    }
}

const QString& TTextMask::Text() const { return d->FText; }
int TTextMask::Width() const { return d->FWidth; }
const std::vector<TTextMask::Span>& TTextMask::Spans() const { return d->FSpans; }
TTextMask::~TTextMask() = default;

TTextMask::TTextMask() : d(std::make_unique<Private>()) {}
TTextMask::TTextMask(const TTextMask& other) : d(std::make_unique<Private>(*other.d)) {}
TTextMask& TTextMask::operator=(const TTextMask& other) {
    *d = *other.d;
    return *this;
}

int TTextMask::Height() const { return d->FHeight; }
int TTextMask::Ascent() const { return d->FAscent; }

}  // namespace Tallwick
