// The pixels a string covers in a font, rendered once and kept as spans, so text drawn many times
// (the saver's shadowed date and time) costs a few span fills instead of a glyph rendering each
// time.
#include "TextMask.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace Tallwick {

void TTextMask::Update(const TFont& font, const QString& text) {
    const QString key = font.Key();
    if (FValid && text == FText && key == FFontKey)
        return;
    const QFont& qfont = font.Resolved();
    const QFontMetrics metrics(qfont);
    FText = text;
    FFontKey = key;
    FWidth = metrics.horizontalAdvance(text);
    FAscent = metrics.ascent();
    FHeight = metrics.ascent() + metrics.descent();
    FSpans.clear();
    FValid = true;

    // Glyphs may overhang the cell (italics, wide serifs): render with a margin around it.
    const int margin = qfont.pixelSize() + 2;
    QImage image(FWidth + 2 * margin, FHeight + 2 * margin, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(qfont);
        painter.setPen(Qt::white);
        painter.drawText(margin, margin + FAscent, text);
    }
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == 0)
                continue;
            if (!FSpans.empty() && FSpans.back().y == y - margin && FSpans.back().x1 == x - margin - 1)
                FSpans.back().x1 = x - margin;
            else
                FSpans.push_back({y - margin, x - margin, x - margin});
        }
    }
}

}  // namespace Tallwick
