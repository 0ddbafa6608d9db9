#pragma once
// Small helpers shared by the graphics tests: filled bitmaps, colour look-ups and image comparison
// with a readable first difference.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

using namespace Tallwick;

Q_DECLARE_METATYPE(TRect)

// A w x h bitmap filled with one colour.
inline std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(w, h);
    bitmap->Canvas()->Brush.Color = color;
    bitmap->Canvas()->FillRect(Rect(0, 0, w, h));
    return bitmap;
}

// "pixel (x, y)", for failure messages.
inline const char* PixelName(int x, int y) {
    static QByteArray name;
    name = QStringLiteral("pixel (%1, %2)").arg(x).arg(y).toLatin1();
    return name.constData();
}

inline TColor ColorAt(const QImage& image, int x, int y) { return QRgbToColor(image.pixel(x, y)); }

// Bounding box of the pixels for which `test` holds (null when there are none).
inline QRect BoundsWhere(const QImage& image, const std::function<bool(TColor)>& test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(ColorAt(image, x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

inline QRect BoundsOf(const QImage& image, TColor color) {
    return BoundsWhere(image, [color](TColor c) { return c == color; });
}

inline int CountOf(const QImage& image, TColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += ColorAt(image, x, y) == color;
    return n;
}

// Empty when every pixel matches; otherwise the first difference, for QVERIFY2.
inline QString FirstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if ((actual.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF))
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    return {};
}

// An image whose pixels come from a rule, to compare a drawing with.
inline QImage ImageFrom(int w, int h, const std::function<TColor(int x, int y)>& rule) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, ColorToQRgb(rule(x, y)));
    return image;
}

// Colour of the pixel (x, y) after one ring of the 3-D frame around the inclusive box
// l..r x t..b: top and left edges in `top`, right and bottom edges (with the top-right and
// bottom-left corners) in `bottom`; `outside` elsewhere.
inline TColor FrameRingPixel(int x, int y, int l, int t, int r, int b, TColor top, TColor bottom, TColor outside) {
    if ((x == r && y >= t && y <= b) || (y == b && x >= l && x <= r))
        return bottom;
    if ((y == t && x >= l && x < r) || (x == l && y >= t && y < b))
        return top;
    return outside;
}
