// The gallery on a screen of device pixel ratio 1.5 or 2 (CTest runs it at both): every component
// is drawn at the screen's resolution, not enlarged. The measure is the share of uniform 2 x 2
// blocks where the picture changes (tests/support/UniformBlocks.h); the share over all blocks is
// printed beside it, and Qt's own widgets of the gallery are measured the same way for reference.
#include "../support/UniformBlocks.h"
#include "GalleryWindow.h"

#include <Tallwick/Tcanvas2d.h>
#include <Tallwick/Tcolorbutton.h>
#include <Tallwick/Tescala.h>
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Tpoly.h>
#include <Tallwick/Tveximage.h>
#include <Tallwick/Tvexprogress.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QScreen>
#include <QSpinBox>
#include <QtTest>
#include <functional>

using namespace Tallwick;

namespace {
using Pick = std::function<bool(const QWidget*)>;

// A surface of its own that draws (not a loaded file's pixels, nor the surface inside a panel or
// a plot).
bool DrawnImage(const QWidget* w) {
    const auto* image = qobject_cast<const TVexImage*>(w);
    if (!image || image->CanvasScale() == 1)
        return false;
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const TPnlImg*>(p) || qobject_cast<const TCanvas2D*>(p))
            return false;
    return true;
}

template <class T>
Pick Of() {
    return [](const QWidget* w) { return qobject_cast<const T*>(w) != nullptr; };
}

}  // namespace

Q_DECLARE_METATYPE(Pick)

class TestGallerySharpness : public QObject {
    Q_OBJECT
private slots:
    void sharp_data();
    void sharp();
};

// `gap`: why the goal is out of reach at ratio 2 for a component that is nonetheless drawn at the
// screen's resolution (its share stays well below an enlargement's 100 %).
void TestGallerySharpness::sharp_data() {
    QTest::addColumn<Pick>("pick");
    QTest::addColumn<bool>("ours");
    QTest::addColumn<QString>("gap");
    QTest::newRow("TEscala") << Of<TEscala>() << true << QString();
    QTest::newRow("TPoly") << Of<TPoly>() << true << QString();
    QTest::newRow("TCanvas2D") << Of<TCanvas2D>() << true << QString();
    QTest::newRow("TPnlImg") << Pick([](const QWidget* w) {
        return w && w->metaObject() == &TPnlImg::staticMetaObject;
    }) << true << QString();
    QTest::newRow("TVexProgress") << Of<TVexProgress>() << true << QString();
    QTest::newRow("TVexImage") << Pick(DrawnImage) << true << QString();
    QTest::newRow("TColorButton")
        << Of<TColorButton>() << true
        << QStringLiteral(
               "a flat swatch in square bevels: every change lies on the grid, as in Qt's own "
               "raised QFrame (99 % in tst_device_ratio)");
    QTest::newRow("Qt buttons") << Of<QAbstractButton>() << false << QString();
    QTest::newRow("Qt spin and combo boxes") << Pick([](const QWidget* w) {
        return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w);
    }) << false << QString();
}

// Every shown widget the row picks, in the gallery, added up.
void TestGallerySharpness::sharp() {
    const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    if (ratio <= 1)
        QSKIP("Run with QT_SCALE_FACTOR above 1 (CTest does, at 1.5 and 2)");
    QFETCH(Pick, pick);
    QFETCH(bool, ours);
    QFETCH(QString, gap);
    TGalleryWindow gallery;
    gallery.resize(1600, 1040);
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    BlockCount changing, all;
    int widgets = 0;
    for (QWidget* widget : gallery.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !pick(widget) || (ours && pick(widget->parentWidget())))
            continue;
        const QImage shot = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        changing += ChangingBlocks(shot);
        all += BlocksBesides(shot, Commonest(shot));
        ++widgets;
    }
    QVERIFY(widgets > 0);
    qInfo("%s at %.2f (%d widgets): uniform blocks %.0f %% of all, %.0f %% where the picture changes",
          QTest::currentDataTag(), ratio, widgets, 100 * all.Share(), 100 * changing.Share());
    if (!ours)
        return;  // Qt's own widgets are the reference, not under test
    const QString figure = QString("%1 % uniform where the picture changes").arg(100 * changing.Share());
    if (ratio == 2) {
        // Not an enlargement, which has every block uniform (a flat swatch has nothing else).
        if (!pick(gallery.findChild<TColorButton*>()))
            QVERIFY2(changing.Share() < 0.9, qPrintable(figure));
        if (!gap.isEmpty())
            QEXPECT_FAIL("", qPrintable(gap), Continue);
    }
    QVERIFY2(changing.Share() < 0.5, qPrintable(figure));
}

QTEST_MAIN(TestGallerySharpness)
#include "tst_gallery_sharpness.moc"
