// The colour button: geometry and face, the chooser round trip and when OnChange fires.
#include <Tallwick/Tcolorbutton.h>
#include "TcolorbuttonTesting.h"

#include <Tallwick/ComponentRegistry.h>

#include <QApplication>
#include <QColorDialog>
#include <QHelpEvent>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <optional>

using namespace Tallwick;

Q_DECLARE_METATYPE(std::optional<TColor>)

namespace {
QRgb FacePixel(TColorButton& button, QPoint p) { return button.grab().toImage().pixel(p); }
}  // namespace

class TestColorButton : public QObject {
    Q_OBJECT

private slots:
    void freshComponent();
    void faceShowsColourThroughButton();
    void resizeRelaysButton_data();
    void resizeRelaysButton();
    void onResizeComesFirst();
    void chooser_data();
    void chooser();
    void clickOnFaceOpensChooser();
    void settingColorFromCodeIsSilent();
    void colourDialogPresetAndCancel();
    void colourDialogChoice();
    void hintAndCursor();
    void registeredOnPalette();
};

void TestColorButton::freshComponent() {
    TColorButton button;
    QCOMPARE(button.Width(), 64);
    QCOMPARE(button.Height(), 24);
    QCOMPARE(button.Color(), TColor(255));
    QCOMPARE(button.property("ColorValue").toUInt(), 255u);
    QCOMPARE(button.property("Color").value<QColor>(), QColor(255, 0, 0));
    QCOMPARE(button.BevelInner(), bvLowered);
    QCOMPARE(button.BevelOuter(), bvRaised);
    QCOMPARE(button.BevelWidth(), 1);
    QCOMPARE(button.Caption(), QStringLiteral(" "));
    QCOMPARE(button.Button()->geometry(), QRect(2, 2, 60, 20));
    QVERIFY(button.Button()->text().isEmpty());
    QVERIFY(button.Button()->icon().isNull());
    QVERIFY(button.Button()->autoRaise());
    QCOMPARE(button.ColorDialog()->parent(), &button);
}

// The bevels (outer raised, inner lowered) and the face colour under the transparent button.
void TestColorButton::faceShowsColourThroughButton() {
    TColorButton button;
    button.move(300, 300);  // away from the pointer
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    const QRgb highlight = ColorToQRgb(clBtnHighlight) | 0xFF000000u;
    const QRgb shadow = ColorToQRgb(clBtnShadow) | 0xFF000000u;
    QCOMPARE(FacePixel(button, {0, 0}), highlight);  // outer bevel, top-left edge
    QCOMPARE(FacePixel(button, {63, 23}), shadow);   // outer bevel, bottom-right edge
    QCOMPARE(FacePixel(button, {1, 1}), shadow);     // inner bevel, lowered
    QCOMPARE(FacePixel(button, {62, 22}), highlight);
    QCOMPARE(FacePixel(button, {32, 12}), qRgb(255, 0, 0));
    QVERIFY2(!button.Button()->underMouse(), "pointer over the face");
    QCOMPARE(FacePixel(button, {2, 2}), qRgb(255, 0, 0));
    button.SetColor(RGB(10, 20, 30));
    QCOMPARE(FacePixel(button, {32, 12}), qRgb(10, 20, 30));
    QCOMPARE(FacePixel(button, {61, 21}), qRgb(10, 20, 30));

    // Under the pointer the flat button shows a raised edge and still lets the colour through.
    QTest::mouseMove(button.Button(), QPoint(20, 10));
    QTRY_VERIFY(button.Button()->underMouse());
    QCOMPARE(FacePixel(button, {2, 2}), ColorToQRgb(cl3DHighlight) | 0xFF000000u);
    QCOMPARE(FacePixel(button, {32, 12}), qRgb(10, 20, 30));
}

void TestColorButton::resizeRelaysButton_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("buttonRect");
    for (bool shown : {true, false}) {
        const char* state = shown ? "shown" : "hidden";
        QTest::addRow("larger, %s", state) << shown << QSize(89, 24) << QRect(2, 2, 85, 20);
        QTest::addRow("taller, %s", state) << shown << QSize(64, 40) << QRect(2, 2, 60, 36);
        QTest::addRow("exactly the bevels, %s", state) << shown << QSize(4, 4) << QRect(2, 2, 0, 0);
        QTest::addRow("smaller than the bevels, %s", state) << shown << QSize(3, 1) << QRect(2, 2, 0, 0);
    }
}

void TestColorButton::resizeRelaysButton() {
    QFETCH(bool, shown);
    QFETCH(QSize, size);
    QFETCH(QRect, buttonRect);
    TColorButton button;
    if (shown) {
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
    }
    button.SetWidth(size.width());
    QCOMPARE(button.Button()->geometry().width(), qMax(0, size.width() - 4));
    button.SetHeight(size.height());
    QCOMPARE(button.Button()->geometry(), buttonRect);
}

void TestColorButton::onResizeComesFirst() {
    QWidget host;
    auto* button = new TColorButton(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QObject* sender = nullptr;
    QRect buttonRectSeen;
    button->OnResize = [&](QObject* s) {
        sender = s;
        buttonRectSeen = button->Button()->geometry();
    };
    button->SetBounds(10, 10, 100, 30);
    QCOMPARE(sender, button);
    QCOMPARE(buttonRectSeen, QRect(2, 2, 60, 20));
    QCOMPARE(button->Button()->geometry(), QRect(2, 2, 96, 26));
}

void TestColorButton::chooser_data() {
    QTest::addColumn<TColor>("initial");
    QTest::addColumn<TColor>("expectedPreset");
    QTest::addColumn<std::optional<TColor>>("answer");
    QTest::addColumn<TColor>("finalColor");
    QTest::addColumn<int>("changes");
    const TColor face = ColorToRGB(clBtnFace);
    QTest::newRow("different colour") << clRed << clRed << std::optional<TColor>(clBlue) << clBlue << 1;
    QTest::newRow("confirmed unchanged") << clRed << clRed << std::optional<TColor>(clRed) << clRed << 0;
    QTest::newRow("cancelled") << clRed << clRed << std::optional<TColor>() << clRed << 0;
    QTest::newRow("system colour confirmed") << clBtnFace << face << std::optional<TColor>(face) << face << 1;
    QTest::newRow("system colour cancelled") << clBtnFace << face << std::optional<TColor>() << clBtnFace << 0;
    QTest::newRow("black to white") << clBlack << clBlack << std::optional<TColor>(clWhite) << clWhite << 1;
}

void TestColorButton::chooser() {
    QFETCH(TColor, initial);
    QFETCH(TColor, expectedPreset);
    QFETCH(std::optional<TColor>, answer);
    QFETCH(TColor, finalColor);
    QFETCH(int, changes);
    TColorButton button;
    button.SetColor(initial);
    TColor presetSeen = -1;
    TColorButtonTesting::SetChooser(button, [&](TColorButton*, TColor preset) {
        presetSeen = preset;
        return answer;
    });
    int changeCount = 0;
    QObject* sender = nullptr;
    button.OnChange = [&](QObject* s) {
        ++changeCount;
        sender = s;
        QCOMPARE(button.Color(), finalColor);  // the colour is set before the event
    };
    button.ButtonClick(button.Button());
    QCOMPARE(presetSeen, expectedPreset);
    QCOMPARE(button.Color(), finalColor);
    QCOMPARE(changeCount, changes);
    if (changes)
        QCOMPARE(sender, &button);
}

void TestColorButton::clickOnFaceOpensChooser() {
    TColorButton button;
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    int asked = 0;
    TColorButton* askedBy = nullptr;
    TColorButtonTesting::SetChooser(button, [&](TColorButton* sender, TColor) {
        ++asked;
        askedBy = sender;
        return std::optional<TColor>(clLime);
    });
    int changes = 0;
    button.OnChange = [&](QObject*) { ++changes; };
    QTest::mouseClick(button.Button(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(asked, 1);
    QCOMPARE(askedBy, &button);
    QCOMPARE(changes, 1);
    QCOMPARE(button.Color(), clLime);
    QCOMPARE(FacePixel(button, {32, 12}), qRgb(0, 255, 0));
}

void TestColorButton::settingColorFromCodeIsSilent() {
    TColorButton button;
    int changes = 0;
    button.OnChange = [&](QObject*) { ++changes; };
    button.SetColor(clYellow);
    button.setProperty("ColorValue", uint(clAqua));
    QCOMPARE(button.Color(), clAqua);
    QCOMPARE(changes, 0);
}

// The real dialog: preset with the plain RGB value of a system colour, cancelled.
void TestColorButton::colourDialogPresetAndCancel() {
    TColorButton button;
    button.SetColor(clBtnShadow);
    QColor seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = dialog->currentColor();
        dialog->reject();
    });
    int changes = 0;
    button.OnChange = [&](QObject*) { ++changes; };
    button.ButtonClick(button.Button());
    QCOMPARE(seen.rgb(), ColorToQRgb(clBtnShadow) | 0xFF000000u);
    QCOMPARE(button.Color(), clBtnShadow);
    QCOMPARE(changes, 0);
}

void TestColorButton::colourDialogChoice() {
    TColorButton button;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    int changes = 0;
    button.OnChange = [&](QObject*) { ++changes; };
    button.ButtonClick(button.Button());
    QCOMPARE(button.Color(), RGB(1, 2, 3));
    QCOMPARE(changes, 1);
}

void TestColorButton::hintAndCursor() {
    TColorButton button;
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCOMPARE(button.Button()->cursor().shape(), Qt::PointingHandCursor);
    QToolButton* face = button.Button();
    const QPoint inside(10, 8);
    QHelpEvent help(QEvent::ToolTip, inside, face->mapToGlobal(inside));
    QApplication::sendEvent(face, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Elegir color"));
    QToolTip::hideText();
}

void TestColorButton::registeredOnPalette() {
    TColorButton::Register();
    QVERIFY(RegisteredComponents(QStringLiteral("Tallwick")).contains(QStringLiteral("TColorButton")));
}

QTEST_MAIN(TestColorButton)
#include "tst_colorbutton.moc"
