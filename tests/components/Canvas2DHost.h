#pragma once
// A plotting canvas shown inside a window, as a program places one, for the canvas tests.
#include "BeepTesting.h"
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Tcanvas2d.h>

#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

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

// Counts beeps instead of sounding them for the life of the object.
struct BeepCounter {
    int count = 0;
    TBeeper previous;
    BeepCounter() {
        previous = SetBeeper([this] { ++count; });
    }
    ~BeepCounter() { SetBeeper(previous); }
};

using Box = QList<double>;  // x min, y min, x max, y max
inline Box BoxOf(const TCanvas2D& c) { return Box{c.AxisXMin(), c.AxisYMin(), c.AxisXMax(), c.AxisYMax()}; }
inline bool Near(const Box& a, const Box& b) {
    for (int i = 0; i < 4; ++i)
        if (std::fabs(a[i] - b[i]) > 1e-9 * std::max(1.0, std::fabs(b[i])))
            return false;
    return true;
}

// Runs `action` once, from the event loop, after the `step`-th repaint from now on.
inline void AfterStep(TCanvas2D* c, int step, std::function<void()> action) {
    auto steps = std::make_shared<int>(0);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(c, &TCanvas2D::drawRequested, c, [=](QObject*) {
        if (++*steps == step) {
            QObject::disconnect(*connection);
            QTimer::singleShot(0, action);
        }
    });
}

}  // namespace Tallwick
