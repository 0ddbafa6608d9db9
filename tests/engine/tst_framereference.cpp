// Whole frames of the engine against the same frames drawn step by step with the canvas calls the
// frame is made of (Fill, DrawDot per star, Draw and two Frame3D for the logo, TextOut per shadow
// copy), frame after frame, while settings, surface size and canvas state change in between. The
// engine's shortcuts (star stamps, composed shadows, the framed logo kept between frames) must not
// change a single pixel.
#include <Tallwick/Canvas.h>
#include <Tallwick/Frame3D.h>
#include <Tallwick/GdiCalls.h>
#include "StarsScene.h"
#include <Tallwick/Vexutils.h>

#include <QApplication>
#include <QPalette>
#include <QTest>
#include <functional>
#include <vector>

using namespace Tallwick;

namespace {
using Change = std::function<void(StarsScene&)>;

// What the engine draws with: the star positions before the frame's move, and the centre.
struct FrameInput {
    std::vector<double> x, y;
};

// The positions the first frame places, read from the generator as the engine will read them.
FrameInput FirstPositions(const TStars& s, std::uint32_t seed) {
    FrameInput in;
    Randomize(seed);
    const int width = s.Surface->Width(), height = s.Surface->Height();
    for (int i = 0; i < s.StarCount; ++i) {
        in.x.push_back(width != 0 ? Random() % width : 0);
        in.y.push_back(height != 0 ? Random() % height : 0);
    }
    Randomize(seed);
    return in;
}

FrameInput CurrentPositions(const TStars& s) {
    FrameInput in;
    const int stars = std::min(s.StarCount, s.StarX->Allocated ? s.StarX->Count : 0);
    for (int i = 0; i < stars; ++i) {
        in.x.push_back((*s.StarX)[i]);
        in.y.push_back((*s.StarY)[i]);
    }
    return in;
}

// One frame as the canvas calls make it, onto `surface`, with the engine's settings, centre and
// scaled logo.
void DrawPlainFrame(TVexImage& surface, const TStars& s, const FrameInput& in) {
    const int depth = surface.Width() / 150 + 1;
    surface.Fill(s.BackColor);
    TCanvas* canvas = surface.Canvas();
    const double diagonal = PointDistance(0, 0, surface.Width(), surface.Height());
    for (std::size_t i = 0; i < in.x.size(); ++i) {
        const double r = PointDistance(s.CenterX, s.CenterY, in.x[i], in.y[i]);
        const int size = diagonal > 0 ? int(r * (surface.Height() * 0.025) / diagonal) : 0;
        DrawDot(canvas, int(in.x[i]), int(in.y[i]), size, s.StarColor);
    }
    SetBkMode(canvas->Handle(), TRANSPARENT);
    SetTextAlign(canvas->Handle(), TA_CENTER | TA_TOP);
    canvas->Font.SetSize(surface.Height() / 20);
    canvas->Font.SetName(QStringLiteral("Times new roman"));
    const int textHeight = canvas->TextHeight(QStringLiteral("0"));
    const int cx = int(s.CenterX), cy = int(s.CenterY);
    const TBitmap* logo = s.Logo->Picture()->Bitmap();
    if (s.ShowLogo != 0 && !logo->Empty()) {
        const int w = s.Logo->Width(), h = s.Logo->Height();
        const int left = cx - w / 2, top = cy - textHeight - h / 2 - h / 2;
        canvas->Draw(left, top, *logo);
        TRect outer = Rect(left, top, left + w, top + h);
        Frame3D(canvas, outer, TColor(0x80000014u), TColor(0x80000010u), 1);
        TRect inner = Rect(left + 1, top + 1, left + w - 1, top + h - 1);
        Frame3D(canvas, inner, TColor(0x80000010u), TColor(0x80000014u), 1);
    }
    for (int i = 0; i <= depth; ++i) {
        canvas->Font.SetColor(BlendColor(s.TextColor2, s.TextColor1, i, depth));
        canvas->TextOut(cx - i, cy - textHeight + i, s.DateText());
        canvas->TextOut(cx - i, cy + i, s.TimeText());
    }
}

QPalette gPalette;
}  // namespace

Q_DECLARE_METATYPE(Change)

class TestFrameReference : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gPalette = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(gPalette); }
    void framesMatchPlainCanvasCalls_data();
    void framesMatchPlainCanvasCalls();
};

void TestFrameReference::framesMatchPlainCanvasCalls_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Change>("initial");
    QTest::addColumn<Change>("before");
    QTest::addColumn<Change>("between");
    const Change nothing = [](StarsScene&) {};
    const QSize screen(640, 480);
    // Canvas state a host may have left on the surface, kept for every frame.
    auto canvasState = [&](const char* name, Change state) {
        QTest::newRow(name) << screen << nothing << state << nothing;
    };
    // Changes made once, after the first frame.
    auto later = [&](const char* name, QSize size, Change change) {
        QTest::newRow(name) << size << nothing << nothing << change;
    };

    QTest::newRow("defaults") << screen << nothing << nothing << nothing;
    // Deep shadows under low text: the date's trail reaches down into the time's copies.
    QTest::newRow("5760 x 1080, three screens side by side") << QSize(5760, 1080) << nothing << nothing << nothing;
    QTest::newRow("3000 x 300") << QSize(3000, 300) << nothing << nothing << nothing;
    later("settings changed", screen, [](StarsScene& sc) {
        sc.Stars.StarColor = 0x00FFFF;
        sc.Stars.BackColor = 0x402010;
        sc.Stars.TextColor1 = 0x00FF00;
        sc.Stars.TextColor2 = 0x0000FF;
        sc.Stars.Speed = 100;
    });
    later("logo switched off", screen, [](StarsScene& sc) { sc.Stars.ShowLogo = 0; });
    QTest::newRow("logo switched on") << screen << Change([](StarsScene& sc) { sc.Stars.ShowLogo = 0; }) << nothing
                                      << Change([](StarsScene& sc) { sc.Stars.ShowLogo = 1; });
    later("surface shrunk: stars far outside, sizes beyond the stamps", QSize(1600, 1200),
          [](StarsScene& sc) { sc.SetSurfaceSize(90, 60); });
    later("surface grown", QSize(160, 120), [](StarsScene& sc) { sc.SetSurfaceSize(900, 700); });
    QTest::newRow("system colours for stars and text") << screen << Change([](StarsScene& sc) {
        sc.Stars.StarColor = TColor(0x80000014u);
        sc.Stars.TextColor1 = TColor(0x8000000Fu);
        sc.Stars.TextColor2 = TColor(0x80000010u);
    }) << nothing << nothing;
    later("system colours changed", screen, [](StarsScene&) {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Light, QColor(10, 200, 30));
        palette.setColor(QPalette::Dark, QColor(200, 20, 140));
        QApplication::setPalette(palette);
    });
    later("font made bold and italic", screen,
          [](StarsScene& sc) { sc.Surface.Canvas()->Font.SetStyle(fsBold | fsItalic); });
    canvasState("clip rectangle", [](StarsScene& sc) { sc.Surface.Canvas()->SetClipRect(Rect(250, 60, 420, 300)); });
    canvasState("copy mode SRCINVERT", [](StarsScene& sc) { sc.Surface.Canvas()->CopyMode = cmSrcInvert; });
    canvasState("inverting pen", [](StarsScene& sc) { sc.Surface.Canvas()->Pen.Mode = pmNot; });
    canvasState("no pen", [](StarsScene& sc) { sc.Surface.Canvas()->Pen.Style = psClear; });
    canvasState("wide pen", [](StarsScene& sc) { sc.Surface.Canvas()->Pen.Width = 3; });
    canvasState("clear brush", [](StarsScene& sc) { sc.Surface.Canvas()->Brush.Style = bsClear; });
    canvasState("turned font", [](StarsScene& sc) { sc.Surface.Canvas()->Font.SetOrientation(300); });
    // Tiny surfaces: a logo of 1 x 1, whose inner frame reaches outside it, and text so low that
    // the date's copies overlap the time's.
    for (int height = 5; height <= 15; ++height)
        QTest::addRow("40 x %d", height) << QSize(40, height) << nothing << nothing << nothing;
}

void TestFrameReference::framesMatchPlainCanvasCalls() {
    QFETCH(QSize, size);
    QFETCH(Change, initial);
    QFETCH(Change, before);
    QFETCH(Change, between);
    const std::uint32_t seed = 5;
    StarsScene scene(size.width(), size.height(), seed);
    StarsScene plain(size.width(), size.height(), seed);
    initial(scene);
    for (int frame = 0; frame < 4; ++frame) {
        if (frame == 1) {
            between(scene);
            between(plain);
        }
        before(scene);
        before(plain);
        const FrameInput in =
            scene.Stars.FrameCount == 0 ? FirstPositions(scene.Stars, seed) : CurrentPositions(scene.Stars);
        scene.Stars.DrawFrame();
        DrawPlainFrame(plain.Surface, scene.Stars, in);
        const QImage a = scene.Image(), b = plain.Image();
        QCOMPARE(a.size(), b.size());
        int differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                differing += a.pixel(x, y) != b.pixel(x, y);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("frame %1: %2 pixels differ").arg(frame).arg(differing)));
    }
}

QTEST_MAIN(TestFrameReference)
#include "tst_framereference.moc"
