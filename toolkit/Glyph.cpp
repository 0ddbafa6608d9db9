// Button glyphs stored as a strip of equal images side by side.
#include "Glyph.h"

#include <QBitmap>
#include <QPixmap>

namespace Tallwick {

namespace {
QPixmap KeyedOut(const QImage& image, QRgb transparent) {
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent, Qt::MaskInColor)));
    return pixmap;
}
}  // namespace

QIcon GlyphIcon(const QImage& strip, int numGlyphs) {
    if (strip.isNull() || numGlyphs < 1)
        return {};
    const QImage rgb = strip.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = rgb.pixel(0, rgb.height() - 1);
    const int width = rgb.width() / numGlyphs;
    const QIcon::Mode modes[] = {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected};
    QIcon icon;
    for (int i = 0; i < numGlyphs && i < 4; ++i)
        icon.addPixmap(KeyedOut(rgb.copy(i * width, 0, width, rgb.height()), transparent), modes[i]);
    return icon;
}

QIcon LoadGlyph(const QString& path, int numGlyphs) { return GlyphIcon(QImage(path), numGlyphs); }

}  // namespace Tallwick
