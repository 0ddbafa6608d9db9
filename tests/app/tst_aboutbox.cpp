// The about box: its layout, the finished plate, the languages, and an animation that runs at
// the first paint and at flag clicks only, under the hourglass.
#include "AboutBox.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/CustomPanel.h>
#include "DialogTestMain.h"

#include <QtMath>
#include <cmath>
#include <Tallwick/ImageControl.h>
#include <Tallwick/SpeedButton.h>

#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QSet>

using namespace Tallwick;

namespace {
constexpr QRgb kPlate = 0xFFC8C8C8u;
constexpr QRgb kShadow = 0xFFDCDCDCu;
constexpr QRgb kInk = 0xFF000000u;

QImage Plate(TAboutF& about) { return about.Image3->Picture()->Bitmap()->Image().copy(); }

// Shows the box and waits for the animation of its first paint to finish.
bool ShowFinished(TAboutF& about) {
    about.show();
    if (!QTest::qWaitForWindowExposed(&about))
        return false;
    return QTest::qWaitFor([&] { return !about.windowTitle().isEmpty() && !QApplication::overrideCursor(); });
}

// The plate as it should end: grey 200, the light layer at pass (2, 3), black at (-1, -1).
QImage ExpectedPlate(TAboutF& about, double ratio = 1) {
    TImage reference;
    reference.SetPixelRatio(ratio);
    reference.SetBounds(0, 0, 335, 215);
    TCanvas* canvas = reference.Canvas();
    canvas->Brush.Color = 0xC8C8C8;
    canvas->FillRect(Rect(0, 0, reference.DeviceWidth(), reference.DeviceHeight()));
    canvas->Font.SetColor(0xDCDCDC);
    about.DrawTexts(2, 3, false, &reference);
    canvas->Font.SetColor(clBlack);
    about.DrawTexts(-1, -1, false, &reference);
    return reference.Picture()->Bitmap()->Image().copy();
}

QRect InkBounds(const QImage& image, QRgb colour, int top, int bottom) {
    QRect bounds;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool RowsEqual(const QImage& a, const QImage& b, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

// Records, at every paint of the display, the cursor then in force and how much ink it shows.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(TAboutF& about) : FAbout(about) { about.Image3->installEventFilter(this); }
    QList<int> InkCounts;
    QSet<int> CursorShapes;  // -1: no override cursor

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QCursor* cursor = QApplication::overrideCursor();
            CursorShapes.insert(cursor ? int(cursor->shape()) : -1);
            // Looked at without creating anything: the display gets its bitmap at the first copy.
            const auto* bitmap = dynamic_cast<const TBitmap*>(FAbout.Image3->Picture()->Graphic());
            const QImage image = bitmap ? bitmap->Image() : QImage();
            int ink = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ink += image.pixel(x, y) == kInk;
            InkCounts.append(ink);
        }
        return false;
    }

private:
    TAboutF& FAbout;
};
}  // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void formAndControls();
    void controlPlaces_data();
    void controlPlaces();
    void flagButtons();
    void finalPlate();
    void plateLines_data();
    void plateLines();
    void languages_data();
    void languages();
    void repaintDoesNotReplay();
    void typedInUnderHourglass();
    void lineOfAnyLength();
    void okEndsModalLoop();
    void plateAtPixelRatio();
};

void TestAboutBox::formAndControls() {
    TAboutF about;
    QCOMPARE(about.size(), QSize(353, 265));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!(flags & Qt::WindowSystemMenuHint));
    QVERIFY(!(flags & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(QFontInfo(about.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(about.font().pixelSize(), 13);
    QCOMPARE(about.Panel1->BevelOuter(), bvLowered);
    QCOMPARE(about.Panel1->BevelInner(), bvNone);
    QVERIFY(about.Image1->isHidden());
    QVERIFY(about.Image2->isHidden());
    QVERIFY(!about.Image3->isHidden());
    QVERIFY(about.BitBtn1->isDefault());
    QCOMPARE(about.BitBtn1->text(), QStringLiteral("OK"));
    QVERIFY(!about.BitBtn1->icon().isNull());
}

void TestAboutBox::controlPlaces_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");
    QTest::newRow("SpeedButton1") << "SpeedButton1" << QRect(8, 232, 34, 26);
    QTest::newRow("SpeedButton2") << "SpeedButton2" << QRect(42, 232, 34, 26);
    QTest::newRow("SpeedButton3") << "SpeedButton3" << QRect(76, 232, 34, 26);
    QTest::newRow("Panel1") << "Panel1" << QRect(8, 8, 337, 217);
    QTest::newRow("Image1") << "Image1" << QRect(1, 1, 335, 215);
    QTest::newRow("Image2") << "Image2" << QRect(1, 1, 335, 215);
    QTest::newRow("Image3") << "Image3" << QRect(1, 1, 335, 215);
    QTest::newRow("BitBtn1") << "BitBtn1" << QRect(256, 232, 89, 26);
}

void TestAboutBox::controlPlaces() {
    QFETCH(QString, control);
    QFETCH(QRect, place);
    TAboutF about;
    const QMap<QString, QWidget*> controls = {{"SpeedButton1", about.SpeedButton1},
                                              {"SpeedButton2", about.SpeedButton2},
                                              {"SpeedButton3", about.SpeedButton3},
                                              {"Panel1", about.Panel1},
                                              {"Image1", about.Image1},
                                              {"Image2", about.Image2},
                                              {"Image3", about.Image3},
                                              {"BitBtn1", about.BitBtn1}};
    QCOMPARE(controls.value(control)->geometry(), place);
}

void TestAboutBox::flagButtons() {
    TAboutF about;
    for (TSpeedButton* flag : {about.SpeedButton1, about.SpeedButton2, about.SpeedButton3}) {
        QCOMPARE(flag->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(flag->GlyphRect().topLeft(), flag->Down() ? QPoint(3, 6) : QPoint(2, 5));
        QCOMPARE(flag->Glyph().availableSizes().value(0), QSize(27, 16));
    }
    QVERIFY(about.SpeedButton1->Down());
    QVERIFY(!about.SpeedButton2->Down());
    QVERIFY(!about.SpeedButton3->Down());
    QCOMPARE(about.DownLanguage(), 1);
}

void TestAboutBox::finalPlate() {
    TAboutF about;
    QVERIFY(ShowFinished(about));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Skyglow II"));
    const QImage plate = Plate(about);
    QCOMPARE(plate.size(), QSize(335, 215));
    QCOMPARE(plate, ExpectedPlate(about));

    // Only the three colours, and every light pixel is the black lettering moved by (3, 4).
    int ink = 0, light = 0;
    for (int y = 0; y < plate.height(); ++y)
        for (int x = 0; x < plate.width(); ++x) {
            const QRgb p = plate.pixel(x, y);
            QVERIFY2(p == kPlate || p == kShadow || p == kInk, qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
            if (p == kShadow) {
                ++light;
                QCOMPARE(plate.pixel(x - 3, y - 4), kInk);
            } else if (p == kInk) {
                ++ink;
                if (x + 3 < plate.width() && y + 4 < plate.height())
                    QVERIFY(plate.pixel(x + 3, y + 4) != kPlate);
            }
        }
    QVERIFY(ink > 500);
    QVERIFY(light > 100);
}

// Each line's black lettering starts where a whole-string copy at its place minus one would.
void TestAboutBox::plateLines_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("top");
    QTest::newRow("title") << "Times New Roman" << 14 << "Skyglow II" << 14;
    QTest::newRow("author") << "Times New Roman" << 10 << "Author : Pelmont" << 78;
    QTest::newRow("telephone") << "MS Sans Serif" << 9 << "Tlf. : " << 158;
    QTest::newRow("e-mail") << "MS Sans Serif" << 9 << "E-Mail : " << 178;
}

void TestAboutBox::plateLines() {
    QFETCH(QString, font);
    QFETCH(int, points);
    QFETCH(QString, text);
    QFETCH(int, top);
    TAboutF about;
    QVERIFY(ShowFinished(about));
    const QImage plate = Plate(about);

    TBitmap single;
    single.SetSize(335, 215);
    TCanvas* canvas = single.Canvas();
    canvas->Brush.Color = 0xC8C8C8;
    canvas->FillRect(Rect(0, 0, 335, 215));
    canvas->Brush.Style = bsClear;
    canvas->Font.SetName(font);
    canvas->Font.SetStyle(fsBold);
    canvas->Font.SetSize(points);
    canvas->Font.SetColor(clBlack);
    canvas->TextOut(15 - 1, top - 1, text);
    const QRect expected = InkBounds(single.Image(), kInk, 0, 215);
    const QRect shown = InkBounds(plate, kInk, expected.top(), expected.bottom() + 1);
    QCOMPARE(shown.left(), expected.left());
    QCOMPARE(shown.top(), expected.top());
    QVERIFY(shown.right() >= expected.right() - 2);  // per-character places may round apart
}

void TestAboutBox::languages_data() {
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << 1 << "About Skyglow II";
    QTest::newRow("Galician") << 2 << "Acerca de Skyglow II";
    QTest::newRow("Spanish") << 3 << "Acerca de Skyglow II";
}

// Title and contact lines read the same in every language; author and profession change.
void TestAboutBox::languages() {
    QFETCH(int, flag);
    QFETCH(QString, caption);
    TAboutF about;
    QVERIFY(ShowFinished(about));
    const QImage english = Plate(about);
    TSpeedButton* flags[] = {about.SpeedButton1, about.SpeedButton2, about.SpeedButton3};
    about.SpeedButton3->click();  // somewhere else first, so each row really switches
    QTest::mouseClick(flags[flag - 1], Qt::LeftButton);
    QCOMPARE(about.windowTitle(), caption);
    QCOMPARE(about.DownLanguage(), flag);
    QVERIFY(flags[flag - 1]->Down());
    const QImage plate = Plate(about);
    QCOMPARE(plate, ExpectedPlate(about));
    QVERIFY(RowsEqual(plate, english, 0, 60));     // title
    QVERIFY(RowsEqual(plate, english, 150, 215));  // telephone and e-mail
    QCOMPARE(RowsEqual(plate, english, 70, 120), flag == 1);
    if (flag == 3) {
        about.SpeedButton2->click();
        const QImage galician = Plate(about);
        QVERIFY(RowsEqual(plate, galician, 70, 96));    // "Autor : Pelmont" in both
        QVERIFY(!RowsEqual(plate, galician, 96, 120));  // the professions differ
    }
}

// Covering and uncovering, or any repaint, shows the finished plate without a replay.
void TestAboutBox::repaintDoesNotReplay() {
    TAboutF about;
    QVERIFY(ShowFinished(about));
    about.Image3->Canvas()->SetPixel(300, 200, clFuchsia);  // a replay would paint over it
    PaintWatcher watcher(about);
    about.repaint();
    about.hide();
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    about.update();
    QTest::qWait(50);
    QCOMPARE(Plate(about).pixel(300, 200), 0xFFFF00FFu);
    QVERIFY(!watcher.CursorShapes.contains(int(Qt::WaitCursor)));
}

// The display fills up a character at a time while the hourglass shows; afterwards no cursor
// is forced any more.
void TestAboutBox::typedInUnderHourglass() {
    TAboutF about;
    PaintWatcher watcher(about);
    QVERIFY(ShowFinished(about));
    QVERIFY(watcher.CursorShapes.contains(int(Qt::WaitCursor)));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // Count the distinct stages the display went through while typing.
    QSet<int> stages(watcher.InkCounts.begin(), watcher.InkCounts.end());
    QVERIFY2(stages.size() > 40, qPrintable(QString::number(stages.size())));

    watcher.InkCounts.clear();
    watcher.CursorShapes.clear();
    about.SpeedButton2->click();
    QVERIFY(watcher.CursorShapes.contains(int(Qt::WaitCursor)));
    QVERIFY(watcher.InkCounts.size() > 40);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// More than a hundred characters: the ones past the hundredth are drawn too.
void TestAboutBox::lineOfAnyLength() {
    TAboutF about;
    TImage image;
    image.SetBounds(0, 0, 900, 30);
    TCanvas* canvas = image.Canvas();
    canvas->Brush.Color = clWhite;
    canvas->FillRect(image.GetClientRect());
    canvas->Font.SetName("MS Sans Serif");
    canvas->Font.SetSize(9);
    canvas->Font.SetColor(clBlack);
    const QString hundred(100, QLatin1Char('l'));
    about.SetCurrentText(hundred + QStringLiteral("WWW"));
    about.DrawLine(0, 0, false, &image);
    const int tailStart = canvas->TextWidth(QStringLiteral("l")) * 100;
    const QRect tail = InkBounds(image.Picture()->Bitmap()->Image(), kInk, 0, 30);
    QVERIFY(tailStart > 100);
    QVERIFY2(tail.right() > tailStart + 2 * canvas->TextWidth(QStringLiteral("W")),
             qPrintable(QString("ink ends at %1, tail starts at %2").arg(tail.right()).arg(tailStart)));
}

// Only OK ends the modal loop: Enter presses it, Escape (there is no Cancel button) does nothing.
void TestAboutBox::okEndsModalLoop() {
    TAboutF about;
    bool openAfterEscape = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(!about.windowTitle().isEmpty());
        QTest::keyClick(&about, Qt::Key_Escape);
        openAfterEscape = about.isVisible();
        QTest::keyClick(&about, Qt::Key_Return);
    });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QVERIFY(openAfterEscape);
    QVERIFY(!about.isVisible());
}

// On a screen of pixel ratio 2 (QT_SCALE_FACTOR=2, the tst_aboutbox_dense run) the card is built
// at the screen's pixels: the ratio-1 card with every length doubled, its text from fonts twice as
// large, so its ink lies where the ratio-1 ink lies, doubled.
void TestAboutBox::plateAtPixelRatio() {
    TAboutF about;
    const double ratio = about.devicePixelRatio();
    if (ratio == 1)
        QSKIP("needs a pixel ratio above 1: run with QT_SCALE_FACTOR=2 (CTest's tst_aboutbox_dense)");
    QVERIFY(ShowFinished(about));
    const QImage plate = Plate(about);
    QCOMPARE(plate.size(), QSize(qCeil(335 * ratio), qCeil(215 * ratio)));
    QCOMPARE(plate, ExpectedPlate(about, ratio));
    const int dx = qRound(3 * ratio), dy = qRound(4 * ratio);
    for (int y = 0; y < plate.height(); ++y)
        for (int x = 0; x < plate.width(); ++x)
            if (plate.pixel(x, y) == kShadow)
                QCOMPARE(plate.pixel(x - dx, y - dy), kInk);
    const QRect dense = InkBounds(plate, kInk, 0, plate.height());
    const QRect plain = InkBounds(ExpectedPlate(about), kInk, 0, 215);
    QVERIFY2(
        std::abs(dense.left() - plain.left() * ratio) <= ratio && std::abs(dense.top() - plain.top() * ratio) <= ratio,
        qPrintable(QString("ink at %1,%2, ratio 1 at %3,%4")
                       .arg(dense.left())
                       .arg(dense.top())
                       .arg(plain.left())
                       .arg(plain.top())));
    QVERIFY(std::abs(dense.width() - plain.width() * ratio) <= 0.03 * dense.width());
    QVERIFY(std::abs(dense.height() - plain.height() * ratio) <= 0.03 * dense.height());
}

SKYGLOW_DIALOG_TEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
