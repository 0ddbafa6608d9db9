// The gallery holds every component of the component table, each shown and with a size of its own;
// its demonstrations behave as a user expects.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/ComponentTable.h>
#include "GalleryWindow.h"
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Tvexprogress.h>

#include <QScrollBar>
#include <QtTest>

using namespace Tallwick;

class TestGallery : public QObject {
    Q_OBJECT
private slots:
    // Any warning fails, except the offscreen platform's note that it cannot pass on size hints.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*"))); }
    void holdsEveryComponent_data();
    void holdsEveryComponent();
    void panelDemoMovesItsPicture_data();
    void panelDemoMovesItsPicture();
    void verticalProgressShowsItsWholePercentage();
};

namespace {
template <class T>
T* FindExactly(const QWidget& window) {
    for (T* widget : window.findChildren<T*>())
        if (widget->metaObject() == &T::staticMetaObject)
            return widget;
    return nullptr;
}

// Whether `after` is `before` moved by (-dx, -dy), over the part both show.
bool MovedBy(const QImage& before, const QImage& after, int dx, int dy) {
    for (int y = 0; y + 30 < after.height(); ++y)
        for (int x = 0; x + 30 < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x + dx, y + dy))
                return false;
    return true;
}
}  // namespace

void TestGallery::holdsEveryComponent_data() {
    QTest::addColumn<QString>("name");
    for (const TComponentInfo& info : ComponentTable())
        QTest::newRow(info.Name) << QString::fromLatin1(info.Name);
}

void TestGallery::holdsEveryComponent() {
    QFETCH(QString, name);
    const TComponentInfo* info = FindComponent(name);
    TGalleryWindow gallery;
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    QList<QObject*> found;
    for (QObject* object : gallery.findChildren<QObject*>())
        if (object->metaObject()->inherits(info->MetaObject))
            found << object;
    QVERIFY2(!found.isEmpty(), qPrintable(name + " is not in the gallery"));
    for (QObject* object : found) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            QVERIFY2(widget->isVisible(), qPrintable(name + " is hidden"));
            QVERIFY2(widget->width() > 1 && widget->height() > 1, qPrintable(name + " has no size"));
        }
    }
}

void TestGallery::panelDemoMovesItsPicture_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    const int lines = QApplication::wheelScrollLines();
    QTest::newRow("right arrow") << "right arrow" << 1 << 0;
    QTest::newRow("down arrow") << "down arrow" << 0 << 1;
    QTest::newRow("wheel down") << "wheel" << 0 << lines;
    QTest::newRow("Shift+wheel down") << "shift wheel" << lines << 0;
    QTest::newRow("sideways wheel") << "tilt" << lines << 0;
}

// One pixel per step of a bar, whatever moves the bar.
void TestGallery::panelDemoMovesItsPicture() {
    QFETCH(QString, input);
    QFETCH(int, dx);
    QFETCH(int, dy);
    TGalleryWindow gallery;
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    auto* panel = FindExactly<TPnlImg>(gallery);
    QVERIFY(panel && panel->ScrollBarH() && panel->ScrollBarV());
    TVexImage* image = panel->Image();
    const QImage before = image->Picture()->Bitmap()->Image().copy();
    const QPointF at(image->width() / 2, image->height() / 2);
    const auto wheel = [&](QPoint delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, image->mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(image, &event);
    };
    if (input == "right arrow")
        panel->ScrollBarH()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (input == "down arrow")
        panel->ScrollBarV()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (input == "wheel")
        wheel(QPoint(0, -120), Qt::NoModifier);
    else if (input == "shift wheel")
        wheel(QPoint(0, -120), Qt::ShiftModifier);
    else
        wheel(QPoint(-120, 0), Qt::NoModifier);
    QCOMPARE(panel->ScrollBarH()->value(), dx);
    QCOMPARE(panel->ScrollBarV()->value(), dy);
    const QImage after = image->Picture()->Bitmap()->Image();
    QVERIFY(after != before);
    QVERIFY(MovedBy(before, after, dx, dy));
}

// The percentage of the vertical bar fits across it, "100 %" included.
void TestGallery::verticalProgressShowsItsWholePercentage() {
    TGalleryWindow gallery;
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    TVexProgress* vertical = nullptr;
    for (TVexProgress* bar : gallery.findChildren<TVexProgress*>())
        if (bar->Orientation() == TVexProgress::vpoVertical)
            vertical = bar;
    QVERIFY(vertical);
    TBitmap measure;
    measure.Canvas()->Font.Assign(vertical->Font());
    QVERIFY2(vertical->Image()->Width() >= measure.Canvas()->TextWidth(QStringLiteral("100 %")) + 2,
             qPrintable(QString::number(vertical->Image()->Width())));
}

QTEST_MAIN(TestGallery)
#include "tst_gallery.moc"
