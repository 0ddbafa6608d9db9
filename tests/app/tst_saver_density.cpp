// The saver on a screen of more device pixels than logical ones (QT_SCALE_FACTOR, set by CTest:
// 2 and 1.5 on a 1024 x 768 X screen). Its surface must hold the screen's own pixels, and the
// screen must show them one to one: not a picture of the logical size enlarged by Qt.
#include "SaverWindow.h"

#include <QScreen>
#include <QtTest>

// Xlib last: its macros clash with Qt's names.
#include "../support/XTestWindows.h"
#include "../support/UniformBlocks.h"

using namespace Tallwick;

namespace {
constexpr int kTimeoutMs = 15000;

// The root window's pixels, as Format_RGB32.
QImage GrabScreen(Display* display) {
    const int width = DisplayWidth(display, 0), height = DisplayHeight(display, 0);
    XImage* shot = XGetImage(display, DefaultRootWindow(display), 0, 0, width, height, AllPlanes, ZPixmap);
    if (!shot)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | (XGetPixel(shot, x, y) & 0xFFFFFF));
    XDestroyImage(shot);
    return image;
}

}  // namespace

class TestSaverDensity : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void surfaceHoldsTheScreensPixels();

private:
    XTestWindows x;
};

void TestSaverDensity::initTestCase() {
    QVERIFY2(x.display(), "no X server");
    QVERIFY2(QGuiApplication::primaryScreen()->devicePixelRatio() > 1, "QT_SCALE_FACTOR is not set above 1");
}

void TestSaverDensity::surfaceHoldsTheScreensPixels() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const double ratio = screen->devicePixelRatio();
    const QSize device(DisplayWidth(x.display(), 0), DisplayHeight(x.display(), 0));
    TForm1 form(screen);
    form.show();
    QVERIFY(QTest::qWaitFor([&] { return form.Engine()->FrameCount > 40; }, kTimeoutMs));
    form.Timer1->SetEnabled(false);
    QCOMPARE(form.Image1->PixelRatio(), ratio);
    const TBitmap* surface = form.Image1->Picture()->Bitmap();
    QCOMPARE(QSize(surface->Width(), surface->Height()),
             QSize(DevicePixels(form.width(), ratio), DevicePixels(form.height(), ratio)));
    QVERIFY(surface->Width() >= device.width() && surface->Height() >= device.height());

    form.Image1->repaint();
    const QImage shown = surface->Image().copy(QRect(QPoint(0, 0), device));
    QImage shot;
    const bool same = QTest::qWaitFor([&] {
        XSync(x.display(), False);
        shot = GrabScreen(x.display());
        return shot == shown;
    });
    QCOMPARE(shot.size(), device);
    QVERIFY2(same, "the screen does not show the surface one to one");
    const double uniform = UniformBlocks(shot, 0xFF000000u);
    qInfo("ratio %g: %.1f %% of the aligned 2 x 2 blocks with drawing in them are uniform", ratio, 100 * uniform);
    if (ratio == 2)
        QVERIFY2(uniform < 0.9, qPrintable(QString::number(uniform)));
    if (!qEnvironmentVariableIsEmpty("SKYGLOW_SHOT"))
        shot.save(qEnvironmentVariable("SKYGLOW_SHOT"));
}

QTEST_MAIN(TestSaverDensity)
#include "tst_saver_density.moc"
