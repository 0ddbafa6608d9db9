#pragma once
// A plotting canvas shown inside a window, as a program places one, for the canvas tests.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Tcanvas2d.h>

#include <QtTest>
#include <algorithm>

namespace Tallwick {

// The bitmap's own pixel (the canvas would answer -1 outside its clip region); -1 outside.
inline TColor ImagePixel(const TCanvas2D& c, int x, int y) {
    const QImage& image = c.ImageCanvas()->Bitmap()->Image();
    return image.valid(x, y) ? QRgbToColor(image.pixel(x, y)) : -1;
}

struct Plot {
    QWidget window;
    TCanvas2D* canvas;
    explicit Plot(int width = 160, int height = 160) {
        canvas = new TCanvas2D(&window);
        canvas->SetBounds(0, 0, width, height);
        window.resize(std::max(width, 60), std::max(height, 60));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    TColor At(int x, int y) const { return ImagePixel(*canvas, x, y); }
};

}  // namespace Tallwick
