// Tests of TStars: the star field drawn frame by frame on a known random sequence.
#include <Tallwick/Canvas.h>
#include <Tallwick/Exception.h>
#include "StarsScene.h"
#include <Tallwick/Vexutils.h>

#include <QFile>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <sys/resource.h>

using namespace Tallwick;

namespace {
constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kYellow = 0x00FFFF;

// A scene that shows nothing but the shadowed text on black.
void TextOnly(StarsScene& scene) {
    scene.Stars.StarCount = 0;
    scene.Stars.ShowLogo = 0;
    scene.Stars.TextColor1 = kGreen;
    scene.Stars.TextColor2 = kRed;
}
}  // namespace

class TestTStars : public QObject {
    Q_OBJECT
private slots:
    void constructorStartsAtFrameZero();
    void defaultFiguresOn1024x768();
    void firstFrameCentresAndPlacesOnce();
    void starsArePlacedFromTheGenerator();
    void speedSetsDriftAndCentrePace_data();
    void speedSetsDriftAndCentrePace();
    void centreFollowsTheFigureOfEight();
    void speedsFromAFileAreUsedAsStored_data();
    void speedsFromAFileAreUsedAsStored();
    void boundsTest_data();
    void boundsTest();
    void starSizeGrowsWithDistance_data();
    void starSizeGrowsWithDistance();
    void shadowCopies_data();
    void shadowCopies();
    void shadowTrailRunsUpRight();
    void showLogoZeroKeepsTextInPlace();
    void logoHasRaisedAndSunkenFrames();
    void cachedTextMatchesPlainTextOut_data();
    void cachedTextMatchesPlainTextOut();
    void surfaceWithoutArea_data();
    void surfaceWithoutArea();
    void logoSourceOfHeightZero();
    void noStars_data();
    void noStars();
    void longFramesAskToBeInterrupted_data();
    void longFramesAskToBeInterrupted();
    void starCountBound_data();
    void starCountBound();
    void starCountBeyondMemory();
    void countChangedAfterFirstFrameStaysInStorage();
    void resizeFollowsControlOnly();
};

void TestTStars::constructorStartsAtFrameZero() {
    TStars stars;
    QCOMPARE(stars.FrameCount, 0);
    QVERIFY(stars.SettingsPath.endsWith(QLatin1String("/Skyglow.ini")));
    QCOMPARE(stars.SettingsPath, ApplicationDirectory() + QLatin1String("Skyglow.ini"));
    QCOMPARE(stars.StarX->Count, 0);
    QVERIFY(!stars.StarX->Allocated);
    QVERIFY(!stars.StarY->Allocated);
    QVERIFY(stars.Logo);
    QVERIFY(!stars.Logo->parent());
    // Seeded with the calendar time in whole seconds.
    const quint64 before = quint64(QDateTime::currentSecsSinceEpoch());
    TStars seeded;
    const quint64 after = quint64(QDateTime::currentSecsSinceEpoch());
    QVERIFY(RandomState() >= before && RandomState() <= after);
}

void TestTStars::defaultFiguresOn1024x768() {
    StarsScene scene(1024, 768);
    scene.Stars.DrawFrame();
    TTestStars& s = scene.Stars;
    QCOMPARE(s.StarX->Count, 1000);
    QCOMPARE(s.StarY->Count, 1000);
    QCOMPARE(scene.Surface.Canvas()->Font.Size(), 38);
    QCOMPARE(scene.Surface.Canvas()->Font.Name(), QStringLiteral("Times new roman"));
    QCOMPARE(s.Logo->Width(), 204);
    QCOMPARE(s.Logo->Height(), 153);
    QCOMPARE(s.Logo->Picture()->Bitmap()->Width(), 204);
    QCOMPARE(s.Logo->Picture()->Bitmap()->Height(), 153);
    QCOMPARE(scene.Surface.Canvas()->BkMode(), TRANSPARENT);
    QCOMPARE(scene.Surface.Canvas()->TextAlign(), TA_CENTER | TA_TOP);

    // f = 0.1025: a star 100 pixels right of the centre moves 10.25 pixels outward.
    s.CenterX = 500;
    s.CenterY = 400;
    (*s.StarX)[0] = 600;
    (*s.StarY)[0] = 400;
    s.MoveStars();
    QCOMPARE((*s.StarX)[0], 610.25);
    QCOMPARE((*s.StarY)[0], 400.0);
}

void TestTStars::firstFrameCentresAndPlacesOnce() {
    StarsScene scene(1024, 768);
    TTestStars& s = scene.Stars;
    s.DrawFrame();
    QCOMPARE(s.FrameCount, 1);
    QCOMPARE(s.CenterX, 512.0);
    QCOMPARE(s.CenterY, 384.0);

    // Later frames neither re-size the arrays nor re-scale the logo.
    s.StarCount = 5;
    scene.SetSurfaceSize(800, 600);
    s.DrawFrame();
    s.DrawFrame();
    QCOMPARE(s.FrameCount, 3);
    QCOMPARE(s.StarX->Count, 1000);
    QCOMPARE(s.Logo->Width(), 204);
    QCOMPARE(s.Logo->Height(), 153);
}

void TestTStars::starsArePlacedFromTheGenerator() {
    StarsScene scene(1024, 768, 0);
    TTestStars& s = scene.Stars;
    s.MoveCenter();
    s.InitStars();
    // Seed 0 gives 0, 346, 13854878, 1621890440: x then y of each star in turn.
    QCOMPARE((*s.StarX)[0], 0.0);
    QCOMPARE((*s.StarY)[0], 346.0);
    QCOMPARE((*s.StarX)[1], double(13854878 % 1024));
    QCOMPARE((*s.StarY)[1], double(1621890440 % 768));
    for (int i = 0; i < s.StarCount; ++i) {
        const double x = (*s.StarX)[i], y = (*s.StarY)[i];
        QVERIFY(x >= 0 && x < 1024 && x == std::floor(x));
        QVERIFY(y >= 0 && y < 768 && y == std::floor(y));
    }
}

void TestTStars::speedSetsDriftAndCentrePace_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("k");
    QTest::newRow("speed 0") << 0 << 0.0025 << 0.00005;
    QTest::newRow("speed 50") << 50 << 0.1025 << 0.00255;
    QTest::newRow("speed 100") << 100 << 0.2025 << 0.00505;
}

void TestTStars::speedSetsDriftAndCentrePace() {
    QFETCH(int, speed);
    QFETCH(double, factor);
    QFETCH(double, k);
    StarsScene scene(1024, 768);
    TTestStars& s = scene.Stars;
    s.Speed = speed;
    s.DrawFrame();
    // Stars still drift outward, by the factor 1 + f.
    s.CenterX = 512;
    s.CenterY = 384;
    (*s.StarX)[0] = 412;
    (*s.StarY)[0] = 484;
    s.MoveStars();
    QVERIFY(qFuzzyCompare((*s.StarX)[0], 412 - 100 * factor));
    QVERIFY(qFuzzyCompare((*s.StarY)[0], 484 + 100 * factor));
    // The centre moves away from the middle at the pace k.
    s.MoveCenter();  // FrameCount is 1
    QVERIFY(qFuzzyCompare(s.CenterX, (std::sin(2 * M_PI * k) * 0.7 + 1) * 512));
    QVERIFY(qFuzzyCompare(s.CenterY, (std::sin(M_PI * k) * 0.7 + 1) * 384));
    QVERIFY(s.CenterX > 512);
    QVERIFY(s.CenterY > 384);
}

void TestTStars::centreFollowsTheFigureOfEight() {
    StarsScene scene(1000, 600);
    TTestStars& s = scene.Stars;
    s.Speed = 50;  // k = 0.00255: x peaks at a quarter of 1 / k frames
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int frame = 0; frame < 800; ++frame) {
        s.FrameCount = frame;
        s.MoveCenter();
        minX = std::min(minX, s.CenterX);
        maxX = std::max(maxX, s.CenterX);
        minY = std::min(minY, s.CenterY);
        maxY = std::max(maxY, s.CenterY);
    }
    // Between 15 % and 85 % of each side.
    QVERIFY(minX >= 150 - 1e-6 && minX < 151);
    QVERIFY(maxX <= 850 + 1e-6 && maxX > 849);
    QVERIFY(minY >= 90 - 1e-6 && minY < 91);
    QVERIFY(maxY <= 510 + 1e-6 && maxY > 509);
}

void TestTStars::speedsFromAFileAreUsedAsStored_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<double>("k");  // (speed + 1) as a 32-bit int, times 0.00005
    QTest::newRow("-1: the centre stands still") << -1 << 0.0;
    QTest::newRow("-2001") << -2001 << -0.1;
    QTest::newRow("largest: the sum wraps") << INT_MAX << INT_MIN * 0.00005;
    QTest::newRow("smallest") << INT_MIN << (INT_MIN + 1) * 0.00005;
}

void TestTStars::speedsFromAFileAreUsedAsStored() {
    QFETCH(int, speed);
    QFETCH(double, k);
    StarsScene scene(1000, 600);
    TTestStars& s = scene.Stars;
    s.Speed = speed;
    s.FrameCount = 3;
    s.MoveCenter();
    QCOMPARE(s.CenterX, (std::sin(3 * M_PI * 2 * k) * 0.7 + 1) * 500);
    QCOMPARE(s.CenterY, (std::sin(3 * M_PI * 1 * k) * 0.7 + 1) * 300);
}

void TestTStars::boundsTest_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("stays");
    QTest::newRow("x at the width") << 1024.0 << 300.0 << true;
    QTest::newRow("x just past the width") << 1024.0001 << 300.0 << false;
    QTest::newRow("x at 0") << 0.0 << 300.0 << true;
    QTest::newRow("x just below 0") << -0.0001 << 300.0 << false;
    QTest::newRow("y at the height") << 300.0 << 768.0 << true;
    QTest::newRow("y just past the height") << 300.0 << 768.0001 << false;
    QTest::newRow("y at 0") << 300.0 << 0.0 << true;
    QTest::newRow("y just below 0") << 300.0 << -0.0001 << false;
}

void TestTStars::boundsTest() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, stays);
    StarsScene scene(1024, 768);
    TTestStars& s = scene.Stars;
    s.StarCount = 1;
    s.DrawFrame();
    // With the centre on the star itself the star does not move, so only the bounds test acts.
    s.CenterX = x;
    s.CenterY = y;
    (*s.StarX)[0] = x;
    (*s.StarY)[0] = y;
    s.MoveStars();
    if (stays) {
        QCOMPARE((*s.StarX)[0], x);
        QCOMPARE((*s.StarY)[0], y);
    } else {
        const double nx = (*s.StarX)[0], ny = (*s.StarY)[0];
        QVERIFY(nx != x || ny != y);
        QVERIFY(nx >= 0 && nx < 1024 && nx == std::floor(nx));
        QVERIFY(ny >= 0 && ny < 768 && ny == std::floor(ny));
    }
}

void TestTStars::starSizeGrowsWithDistance_data() {
    QTest::addColumn<double>("distance");
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("leftOfStar");  // columns of the dot left of the star's own pixel
    // 1024 x 768: diagonal 1280, size = distance * 19.2 / 1280.
    QTest::newRow("distance 0") << 0.0 << 1 << 0;
    QTest::newRow("distance 66, size 0") << 66.0 << 1 << 0;
    QTest::newRow("distance 68, size 1") << 68.0 << 1 << 0;
    QTest::newRow("distance 134, size 2") << 134.0 << 2 << 1;
    QTest::newRow("distance 210, size 3") << 210.0 << 3 << 1;
    QTest::newRow("distance 620, size 9") << 620.0 << 9 << 4;
}

void TestTStars::starSizeGrowsWithDistance() {
    QFETCH(double, distance);
    QFETCH(int, across);
    QFETCH(int, leftOfStar);
    StarsScene scene(1024, 768);
    TTestStars& s = scene.Stars;
    s.StarCount = 1;
    s.StarColor = kRed;
    s.MoveCenter();
    s.InitStars();
    QCOMPARE(s.CenterX, 512.0);
    // Up and left of the centre, along the surface's diagonal.
    const double x = 512 - 0.8 * distance, y = 384 - 0.6 * distance;
    (*s.StarX)[0] = x;
    (*s.StarY)[0] = y;
    scene.Surface.Fill(0);
    s.DrawStar(0);
    const QRect box = BoxOf(scene.Image(), kRed);
    QCOMPARE(box.width(), across);
    QCOMPARE(box.height(), across);
    QCOMPARE(box.left(), int(x) - leftOfStar);
    QCOMPARE(box.top(), int(y) - leftOfStar);
}

void TestTStars::shadowCopies_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("depth");
    QTest::newRow("149 wide: 2 copies") << 149 << 112 << 1;
    QTest::newRow("150 wide: 3 copies") << 150 << 112 << 2;
    QTest::newRow("1024 wide: 8 copies") << 1024 << 768 << 7;
}

void TestTStars::shadowCopies() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, depth);
    StarsScene scene(width, height);
    TextOnly(scene);
    scene.Stars.DrawFrame();
    QSet<TColor> expected{0};
    for (int i = 0; i <= depth; ++i)
        expected.insert(BlendColor(kRed, kGreen, i, depth));
    QCOMPARE(ColoursIn(scene.Image()), expected);
}

void TestTStars::shadowTrailRunsUpRight() {
    StarsScene scene(1024, 768);
    TextOnly(scene);
    scene.Stars.DrawFrame();
    const QImage image = scene.Image();
    const QRect front = BoxOf(image, kGreen), back = BoxOf(image, kRed);
    QVERIFY(!front.isEmpty() && !back.isEmpty());
    // The farthest copy lies 7 pixels right of and 7 above the front copy.
    QCOMPARE(back.right(), front.right() + 7);
    QCOMPARE(back.top(), front.top() - 7);
    // Date above the centre line, time below it; the front copies start 7 pixels down.
    const int textHeight = scene.Surface.Canvas()->TextHeight(QStringLiteral("0"));
    QVERIFY(front.top() >= 384 - textHeight + 7);
    QVERIFY(front.bottom() < 384 + 7 + textHeight);
    QVERIFY(front.top() < 384 && front.bottom() > 384);
}

void TestTStars::showLogoZeroKeepsTextInPlace() {
    StarsScene withLogo(1024, 768), withoutLogo(1024, 768);
    withLogo.Stars.StarCount = withoutLogo.Stars.StarCount = 0;
    withoutLogo.Stars.ShowLogo = 0;
    withLogo.Stars.DrawFrame();
    withoutLogo.Stars.DrawFrame();
    const QImage a = withLogo.Image(), b = withoutLogo.Image();
    // The logo spans 204 x 153 centred above the date line.
    const int textHeight = withLogo.Surface.Canvas()->TextHeight(QStringLiteral("0"));
    const QRect logo(512 - 102, 384 - textHeight - 76 - 76, 204, 153);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                QVERIFY2(logo.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                ++differing;
            }
    QVERIFY(differing > 204 * 140);
    // Without the logo its place holds only the background and text.
    const QSet<TColor> allowed = [] {
        QSet<TColor> s{0};
        for (int i = 0; i <= 7; ++i)
            s.insert(BlendColor(0xFF0000, 0xB4B4B4, i, 7));
        return s;
    }();
    for (int y = logo.top(); y <= logo.bottom(); ++y)
        for (int x = logo.left(); x <= logo.right(); ++x)
            QVERIFY(allowed.contains(QRgbToColor(b.pixel(x, y))));
}

void TestTStars::logoHasRaisedAndSunkenFrames() {
    StarsScene scene(1024, 768);
    TTestStars& s = scene.Stars;
    s.StarCount = 0;
    s.DrawFrame();
    scene.Surface.Fill(0);
    s.DrawLogo(500, 300);
    const TColor highlight = ColorToRGB(0x80000014), shadow = ColorToRGB(0x80000010);
    const int left = 500 - 102, top = 300 - 76, right = left + 203, bottom = top + 152;
    // Outer ring raised: top and left light, right and bottom (and two corners) dark.
    QCOMPARE(scene.Pixel(left, top), highlight);
    QCOMPARE(scene.Pixel(left + 50, top), highlight);
    QCOMPARE(scene.Pixel(left, top + 50), highlight);
    QCOMPARE(scene.Pixel(right, top), shadow);
    QCOMPARE(scene.Pixel(left, bottom), shadow);
    QCOMPARE(scene.Pixel(right, top + 50), shadow);
    QCOMPARE(scene.Pixel(left + 50, bottom), shadow);
    // Inner ring sunken.
    QCOMPARE(scene.Pixel(left + 1, top + 1), shadow);
    QCOMPARE(scene.Pixel(left + 50, top + 1), shadow);
    QCOMPARE(scene.Pixel(right - 1, top + 50), highlight);
    QCOMPARE(scene.Pixel(left + 50, bottom - 1), highlight);
    // Inside the frames, the scaled picture itself, unscaled onto the surface.
    TCanvas* logo = s.Logo->Canvas();
    for (const QPoint p : {QPoint(2, 2), QPoint(100, 70), QPoint(201, 150)})
        QCOMPARE(scene.Pixel(left + p.x(), top + p.y()), logo->Pixel(p.x(), p.y()));
    // Nothing outside the rectangle.
    QCOMPARE(scene.Pixel(left - 1, top), TColor(0));
    QCOMPARE(scene.Pixel(right + 1, top), TColor(0));
    QCOMPARE(scene.Pixel(left, bottom + 1), TColor(0));
}

void TestTStars::cachedTextMatchesPlainTextOut_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("clock");
    QTest::newRow("1024x768") << 1024 << 768 << "2024-06-01 13:05:09";
    QTest::newRow("1920x1080, 72-pixel text") << 1920 << 1080 << "2023-09-27 23:59:58";
    QTest::newRow("152x112") << 152 << 112 << "2025-01-15 00:00:00";
    QTest::newRow("2560x1440") << 2560 << 1440 << "2024-02-29 07:41:30";
    QTest::newRow("400x3000, tall") << 400 << 3000 << "2024-12-31 12:00:01";
}

void TestTStars::cachedTextMatchesPlainTextOut() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, clock);
    StarsScene cached(width, height, 11), plain(width, height, 11);
    const QDateTime when = FixedTime(clock);
    cached.Stars.Clock = plain.Stars.Clock = [when] { return when; };
    plain.Stars.NaiveText = true;
    for (int frame = 0; frame < 3; ++frame) {
        Randomize(11 + frame);
        cached.Stars.DrawFrame();
        Randomize(11 + frame);
        plain.Stars.DrawFrame();
        const QImage a = cached.Image(), b = plain.Image();
        QCOMPARE(a.size(), b.size());
        QVERIFY2(a == b, qPrintable(QStringLiteral("frame %1 differs").arg(frame)));
    }
}

void TestTStars::surfaceWithoutArea_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("0 x 0") << 0 << 0;
    QTest::newRow("0 wide") << 0 << 300;
    QTest::newRow("0 high") << 300 << 0;
    QTest::newRow("4 high, no logo pixels") << 300 << 4;
}

void TestTStars::surfaceWithoutArea() {
    QFETCH(int, width);
    QFETCH(int, height);
    StarsScene scene(width, height);
    TTestStars& s = scene.Stars;
    s.DrawFrame();
    s.DrawFrame();
    QCOMPARE(s.FrameCount, 2);
    QCOMPARE(s.CenterX == s.CenterX, true);  // not NaN
    for (int i = 0; i < s.StarCount; ++i) {
        if (width == 0)
            QCOMPARE((*s.StarX)[i], 0.0);
        if (height == 0)
            QCOMPARE((*s.StarY)[i], 0.0);
        QVERIFY((*s.StarX)[i] >= 0 && (*s.StarX)[i] <= width);
        QVERIFY((*s.StarY)[i] >= 0 && (*s.StarY)[i] <= height);
    }
    if (width > 0 && height > 0) {
        // A logo too small for a single pixel is not drawn, frames included.
        StarsScene none(width, height);
        none.Stars.ShowLogo = 0;
        none.Stars.DrawFrame();
        none.Stars.DrawFrame();
        QVERIFY(scene.Image() == none.Image());
    }
}

void TestTStars::logoSourceOfHeightZero() {
    StarsScene zero(640, 480), none(640, 480);
    zero.LogoSource.resize(600, 0);
    none.Stars.ShowLogo = 0;
    Randomize(7);
    zero.Stars.DrawFrame();
    Randomize(7);
    none.Stars.DrawFrame();
    QCOMPARE(zero.Stars.FrameCount, 1);
    QVERIFY(zero.Image() == none.Image());
}

void TestTStars::noStars_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("0") << 0;
    QTest::newRow("-5") << -5;
}

void TestTStars::noStars() {
    QFETCH(int, count);
    StarsScene scene(320, 240);
    scene.Stars.StarCount = count;
    scene.Stars.StarColor = kYellow;
    scene.Stars.DrawFrame();
    scene.Stars.DrawFrame();
    QVERIFY(!scene.Stars.StarX->Allocated);
    QVERIFY(!ColoursIn(scene.Image()).contains(kYellow));
    // Text is still there.
    QVERIFY(ColoursIn(scene.Image()).contains(0xB4B4B4));
}

void TestTStars::longFramesAskToBeInterrupted_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("asks");  // per loop over the stars, while they are placed, drawn or moved
    QTest::newRow("one slice") << TStars::StarsPerSlice << 0;
    QTest::newRow("one star more") << TStars::StarsPerSlice + 1 << 1;
    QTest::newRow("three slices and a bit") << 3 * TStars::StarsPerSlice + 5 << 3;
    QTest::newRow("exactly four slices") << 4 * TStars::StarsPerSlice << 3;
}

// A frame of many stars asks between slices whether to go on: the first frame asks while placing,
// drawing and moving them, later frames while drawing and moving. Giving up leaves the frame
// counter, so the next frame does the work again; going on changes nothing in what is drawn.
void TestTStars::longFramesAskToBeInterrupted() {
    QFETCH(int, count);
    QFETCH(int, asks);
    StarsScene scene(64, 48);
    StarsScene twin(64, 48);
    scene.Stars.StarCount = twin.Stars.StarCount = count;
    int asked = 0;
    scene.Stars.Interrupted = [&] { return ++asked < 0; };
    Randomize(7);
    scene.Stars.DrawFrame();
    QCOMPARE(asked, 3 * asks);
    scene.Stars.DrawFrame();
    QCOMPARE(asked, 5 * asks);
    Randomize(7);  // the twin, never asked, draws the same from the same numbers
    twin.Stars.DrawFrame();
    twin.Stars.DrawFrame();
    QCOMPARE(scene.Image(), twin.Image());
    QCOMPARE(scene.Stars.FrameCount, 2);
    if (asks == 0)
        return;
    // Given up at the first question of each part of the frame in turn.
    for (int giveUpAt : {1, asks + 1, 2 * asks + 1}) {
        StarsScene fresh(64, 48);
        fresh.Stars.StarCount = count;
        asked = 0;
        fresh.Stars.Interrupted = [&] { return ++asked == giveUpAt; };
        fresh.Stars.DrawFrame();
        QCOMPARE(asked, giveUpAt);
        QCOMPARE(fresh.Stars.FrameCount, 0);
        fresh.Stars.Interrupted = nullptr;
        fresh.Stars.DrawFrame();
        QCOMPARE(fresh.Stars.FrameCount, 1);
    }
}

void TestTStars::starCountBound_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("fits");
    QTest::newRow("ten million") << 10'000'000 << true;
    QTest::newRow("one more") << 10'000'001 << false;
    QTest::newRow("838 million (a damaged file's)") << 838'860'800 << false;
    QTest::newRow("two thousand million") << 2'000'000'000 << false;
    QTest::newRow("largest int") << INT_MAX << false;
}

// Counts up to ten million are placed and drawn; a larger one is refused at the first frame before
// anything is allocated. All of it within 1 GB of address space: memory overcommit would otherwise
// let an allocation for a huge count "succeed" and the placing of the stars take the machine's memory.
void TestTStars::starCountBound() {
    QFETCH(int, count);
    QFETCH(bool, fits);
    StarsScene scene(320, 240);
    scene.Stars.StarCount = count;
#if !defined(__SANITIZE_ADDRESS__)  // the address sanitizer reserves far more address space
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = std::min<rlim_t>(rlim_t(1) << 30, old.rlim_max);
    QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
#endif
    QString message;
    try {
        scene.Stars.DrawFrame();
    } catch (const EOutOfMemory& e) {
        message = e.Message;
    }
#if !defined(__SANITIZE_ADDRESS__)
    setrlimit(RLIMIT_AS, &old);
#endif
    if (fits) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
        QCOMPARE(scene.Stars.StarX->Count, count);
        QCOMPARE(scene.Stars.StarY->Count, count);
        const TVectorD& x = *scene.Stars.StarX;
        for (int i = 0; i < x.Count; i += 9973)
            QVERIFY(x[i] >= 0 && x[i] <= 320);
        return;
    }
    QCOMPARE(message, QStringLiteral("Not enough memory for %1 stars; a star field holds at most 10000000").arg(count));
    QCOMPARE(scene.Stars.FrameCount, 0);
    QVERIFY(!scene.Stars.StarX->Allocated);
    QVERIFY(!scene.Stars.StarY->Allocated);
}

// A count within the bound whose storage cannot be had still ends in the error, not in a crash.
void TestTStars::starCountBeyondMemory() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("The address sanitizer reserves far more address space than the limit set here");
#else
    StarsScene scene(320, 240);
    scene.Stars.StarCount = TStars::MaxStarCount;
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_AS, &old), 0);
    // Leave room for nothing much beyond what the process already holds.
    rlimit tight = old;
    QFile status(QStringLiteral("/proc/self/status"));
    QVERIFY(status.open(QIODevice::ReadOnly));
    const QByteArray text = status.readAll();
    const int at = text.indexOf("VmSize:");
    QVERIFY(at >= 0);
    const qint64 sizeKB = text.mid(at + 7, text.indexOf('\n', at) - at - 7).trimmed().split(' ').first().toLongLong();
    QVERIFY(sizeKB > 0);
    tight.rlim_cur = rlim_t(sizeKB + 50 * 1024) * 1024;  // 50 MB more: not the 160 MB the stars need
    QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
    QString message;
    try {
        scene.Stars.DrawFrame();
    } catch (const EOutOfMemory& e) {
        message = e.Message;
    }
    setrlimit(RLIMIT_AS, &old);
    QCOMPARE(message, QStringLiteral("Not enough memory for 10000000 stars"));
    QCOMPARE(scene.Stars.FrameCount, 0);
    // A count that fits then works.
    scene.Stars.StarCount = 100;
    scene.Stars.DrawFrame();
    QCOMPARE(scene.Stars.FrameCount, 1);
    QCOMPARE(scene.Stars.StarX->Count, 100);
#endif
}

void TestTStars::countChangedAfterFirstFrameStaysInStorage() {
    StarsScene scene(320, 240);
    scene.Stars.StarCount = 10;
    scene.Stars.DrawFrame();
    scene.Stars.StarCount = 5000;  // e.g. settings loaded again after the first frame
    scene.Stars.DrawFrame();
    scene.Stars.DrawFrame();
    QCOMPARE(scene.Stars.StarX->Count, 10);
    QCOMPARE(scene.Stars.FrameCount, 3);
}

void TestTStars::resizeFollowsControlOnly() {
    StarsScene scene(320, 240);
    scene.Stars.DrawFrame();
    const double x0 = (*scene.Stars.StarX)[0];
    scene.Surface.resize(500, 100);
    QCOMPARE(scene.Surface.Picture()->Bitmap()->Width(), 320);
    scene.Stars.ResizeSurface();
    QCOMPARE(scene.Surface.Picture()->Bitmap()->Width(), 500);
    QCOMPARE(scene.Surface.Picture()->Bitmap()->Height(), 100);
    QCOMPARE(scene.Stars.FrameCount, 1);
    QCOMPARE((*scene.Stars.StarX)[0], x0);
    // Stars now below the surface are placed again by the next move.
    scene.Stars.DrawFrame();
    for (int i = 0; i < scene.Stars.StarCount; ++i)
        QVERIFY((*scene.Stars.StarY)[i] <= 100);
}

QTEST_MAIN(TestTStars)
#include "tst_tstars.moc"
