// An error raised inside a component's event handling never leaves the Qt event handler. Built
// twice: inside the saver's application object the error reaches the standard error box captioned
// with the title; in a plain QApplication (Designer, another program) it becomes a warning naming
// the component. Either way the component stays usable.
#include <Tallwick/Application.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Metafile.h>
#include <Tallwick/Tcolorbutton.h>
#include "TcolorbuttonTesting.h"
#include <Tallwick/Tveximage.h>

#include <QPicture>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <optional>

using namespace Tallwick;

namespace {
const char* const kNoBitmap = "Can only modify an image if it contains a bitmap";

#ifdef SAVER_HOST
using Host = TApplication;
#else
using Host = QApplication;
#endif

// Errors the host reported: the error box's texts in the saver, warnings elsewhere.
QStringList gReported;

void ExpectReported(const QString& text) {
#ifdef SAVER_HOST
    (void)text;
#else
    QTest::ignoreMessage(QtWarningMsg, qPrintable(text));
#endif
}

QString Reported(const QString& component, const QString& message) {
#ifdef SAVER_HOST
    (void)component;
    return QStringLiteral("Skyglow II|") + message;
#else
    return component + QStringLiteral(": ") + message;
#endif
}
}  // namespace

class TestErrorBoundary : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { gReported.clear(); }
    void mouseHandlerOnAPictureThatCannotChange();
    void colourChosenHandlerFails();
};

void TestErrorBoundary::initTestCase() {
#ifdef SAVER_HOST
    auto* app = qobject_cast<TApplication*>(qApp);
    QVERIFY(app);
    app->SetTitle(QStringLiteral("Skyglow II"));
    app->SetErrorBox([](const QString& caption, const QString& text) { gReported << caption + "|" + text; });
#else
    QVERIFY(!Application());
#endif
}

// The image holds a metafile: drawing on it from a mouse handler fails.
void TestErrorBoundary::mouseHandlerOnAPictureThatCannotChange() {
    TVexImage image;
    image.Picture()->SetGraphic(std::make_unique<TMetafile>(QPicture(), 20, 20));
    int calls = 0;
    image.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int x, int y) {
        ++calls;
        image.Canvas()->SetPixel(x, y, clRed);
    };
    image.show();
    QVERIFY(QTest::qWaitForWindowExposed(&image));

    const QString expected = Reported(QStringLiteral("Tallwick::TVexImage"), QString::fromLatin1(kNoBitmap));
    ExpectReported(expected);
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(calls, 1);
#ifdef SAVER_HOST
    QCOMPARE(gReported, QStringList{expected});
#endif

    // Still usable: once it holds a bitmap the same handler draws.
    image.Picture()->SetGraphic(nullptr);
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(6, 7));
    QCOMPARE(calls, 2);
    QVERIFY(image.Picture()->HoldsBitmap());
#ifdef SAVER_HOST
    QCOMPARE(gReported.size(), 1);
#endif
}

// An error in the handler of a colour chosen by the user (reached through a Qt signal).
void TestErrorBoundary::colourChosenHandlerFails() {
    TColorButton button;
    TColorButtonTesting::SetChooser(button, [](TColorButton*, TColor) -> std::optional<TColor> { return clBlue; });
    button.OnChange = [](QObject*) { throw EConvertError(QStringLiteral("'x' is not a valid integer value")); };
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    const QString expected = Reported(QStringLiteral("Tallwick::TColorButton"), "'x' is not a valid integer value");
    ExpectReported(expected);
    QTest::mouseClick(button.Button(), Qt::LeftButton);
    QCOMPARE(button.Color(), clBlue);
#ifdef SAVER_HOST
    QCOMPARE(gReported, QStringList{expected});
#endif
    button.OnChange = nullptr;
    TColorButtonTesting::SetChooser(button, [](TColorButton*, TColor) -> std::optional<TColor> { return clLime; });
    QTest::mouseClick(button.Button(), Qt::LeftButton);
    QCOMPARE(button.Color(), clLime);
}

int main(int argc, char** argv) {
    Host app(argc, argv);
    TestErrorBoundary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_error_boundary.moc"
