#pragma once
// A star field drawing into an off-screen surface, with the logo picture, a fixed clock and a
// fixed random seed, so that frames can be compared pixel by pixel.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include "LogoPicture.h"
#include <Tallwick/Random.h>
#include "Tstars.h"
#include <Tallwick/Tveximage.h>

#include <QDateTime>
#include <QImage>
#include <QSet>

using namespace Tallwick;

// The engine with its per-frame steps reachable, so each can be checked on its own.
class TTestStars : public TStars {
public:
    using TStars::DrawLogo;
    using TStars::DrawStar;
    using TStars::InitStars;
    using TStars::MoveCenter;
    using TStars::MoveStars;
    using TStars::RespawnStar;
};

inline QDateTime FixedTime(const QString& text = QStringLiteral("2024-06-01 13:05:09")) {
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct StarsScene {
    TVexImage Surface;
    TVexImage LogoSource;
    TTestStars Stars;

    StarsScene(int width, int height, std::uint32_t seed = 7) {
        SetSurfaceSize(width, height);
        LoadLogo(&LogoSource);
        Stars.Surface = &Surface;
        Stars.LogoSource = &LogoSource;
        const QDateTime time = FixedTime();
        Stars.Clock = [time] { return time; };
        Randomize(seed);
    }

    // Sizes of 0 are allowed here, unlike through SetHeightWidth.
    void SetSurfaceSize(int width, int height) {
        Surface.resize(width, height);
        Surface.Resize();
    }

    QImage Image() { return Surface.Picture()->Bitmap()->Image().copy(); }
    TColor Pixel(int x, int y) { return Surface.Canvas()->Pixel(x, y); }
};

// Every colour in the picture, as TColor.
inline QSet<TColor> ColoursIn(const QImage& image) {
    QSet<TColor> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(QRgbToColor(image.pixel(x, y)));
    return colours;
}

// Bounding box of the pixels of one colour (empty rectangle when there are none).
inline QRect BoxOf(const QImage& image, TColor colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QRgbToColor(image.pixel(x, y)) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}
