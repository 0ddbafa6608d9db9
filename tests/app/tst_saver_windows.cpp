// The saver and preview windows against a real X server.
#include <Tallwick/Canvas.h>
#include <Tallwick/Exception.h>
#include "ScreenSaverFlag.h"
#include "SaverWindow.h"
#include "PreviewWindow.h"
#include <Tallwick/Vexutils.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QtTest>
#include <memory>

// Xlib last: its macros clash with Qt's names.
#include "../support/XTestWindows.h"

using namespace Tallwick;

namespace {
// Input as the X server delivers it from the devices (XTEST, through xdotool).
void Xdotool(const QStringList& arguments) { QCOMPARE(QProcess::execute("xdotool", arguments), 0); }

bool HasColor(TVexImage* image, TColor color) {
    TCanvas* canvas = image->Canvas();
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x)
            if (canvas->Pixel(x, y) == color)
                return true;
    return false;
}

std::unique_ptr<TForm1> ShowSaver() {
    auto form = std::make_unique<TForm1>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}
}  // namespace

class TestSaverWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sixthMouseMoveCloses();
    void saverCoversScreenAboveAllWithoutBorder();
    void keyCloses();
    void mouseButtonCloses_data();
    void mouseButtonCloses();
    void lossOfActivationCloses();
    void flagFollowsSaverLifetime();
    void flagStaysWhileAnySaverWindowExists();
    void saverWindowsCloseTogether_data();
    void saverWindowsCloseTogether();
    void onlyTheFirstSaverWindowTakesTheKeyboard();
    void keyDuringALongFrameCloses();
    void unreadableSettingsLeaveNoFlag();
    void framesAreDrawnByTheTimer();
    void previewTakesParentSize();
    void previewFollowsParentResize();
    void previewLeavesFlagAlone();
    void previewClosesOnCloseRequest();
    void previewEndsWithParent();
    void previewRejectsBadIds_data();
    void previewRejectsBadIds();

private:
    XTestWindows x;
};

void TestSaverWindows::initTestCase() {
    QVERIFY2(x.display(), "no X server");
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    XWarpPointer(x.display(), None, x.root(), 0, 0, 0, 0, 300, 300);
    XSync(x.display(), False);
}

void TestSaverWindows::sixthMouseMoveCloses() {
    auto form = ShowSaver();
    QVERIFY(form);
    QTest::qWait(100);
    QCOMPARE(TForm1::MouseMoveCount(), 0);  // shown under a still pointer: no move
    for (int i = 1; i <= 5; ++i) {
        XWarpPointer(x.display(), None, x.root(), 0, 0, 0, 0, 300 + 10 * i, 300 + 7 * i);
        XSync(x.display(), False);
        QTRY_COMPARE(TForm1::MouseMoveCount(), i);
        QVERIFY2(form->isVisible(), qPrintable(QString("closed after %1 moves").arg(i)));
    }
    XWarpPointer(x.display(), None, x.root(), 0, 0, 0, 0, 500, 500);
    XSync(x.display(), False);
    QTRY_VERIFY(!form->isVisible());
    QCOMPARE(TForm1::MouseMoveCount(), 6);
}

void TestSaverWindows::saverCoversScreenAboveAllWithoutBorder() {
    auto form = ShowSaver();
    QVERIFY(form);
    QCOMPARE(form->geometry(), QGuiApplication::primaryScreen()->geometry());
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(form->windowFlags() & Qt::X11BypassWindowManagerHint);  // not decorated, not listed
    QCOMPARE(x.attributes(form->winId()).override_redirect, True);
    QCOMPARE(form->Image1->geometry(), form->rect());
    QCOMPARE(form->Image1->cursor().shape(), Qt::BlankCursor);
    QCOMPARE(form->windowTitle(), QStringLiteral("Skyglow II"));
}

void TestSaverWindows::keyCloses() {
    auto form = ShowSaver();
    QVERIFY(form);
    QTRY_VERIFY(form->isActiveWindow());
    Xdotool({"key", "a"});
    QTRY_VERIFY(!form->isVisible());
}

void TestSaverWindows::mouseButtonCloses_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("left") << "1";
    QTest::newRow("middle") << "2";
    QTest::newRow("right") << "3";
}

void TestSaverWindows::mouseButtonCloses() {
    QFETCH(QString, button);
    auto form = ShowSaver();
    QVERIFY(form);
    Xdotool({"click", button});
    QTRY_VERIFY(!form->isVisible());
}

void TestSaverWindows::lossOfActivationCloses() {
    auto form = ShowSaver();
    QVERIFY(form);
    QTRY_VERIFY(form->isActiveWindow());
    QTest::qWait(100);
    QVERIFY(form->isVisible());
    // Another program's window takes the focus.
    const Window other = x.create(QSize(50, 50));
    QTest::qWait(50);
    XSetInputFocus(x.display(), other, RevertToParent, CurrentTime);
    XSync(x.display(), False);
    QTRY_VERIFY(!form->isVisible());
    XDestroyWindow(x.display(), other);
    XSync(x.display(), False);
}

void TestSaverWindows::flagFollowsSaverLifetime() {
    QVERIFY(!ScreenSaverRunning());
    auto form = std::make_unique<TForm1>();
    QVERIFY(ScreenSaverRunning());
    form.reset();
    QVERIFY(!ScreenSaverRunning());
}

// Several screens, several saver windows: the flag goes down with the last of them, whatever the
// order they go in.
void TestSaverWindows::flagStaysWhileAnySaverWindowExists() {
    for (bool firstGoesFirst : {true, false}) {
        auto first = std::make_unique<TForm1>();
        auto second = std::make_unique<TForm1>();
        QCOMPARE(TForm1::Windows(), (QList<TForm1*>{first.get(), second.get()}));
        (firstGoesFirst ? first : second).reset();
        QVERIFY(ScreenSaverRunning());
        (firstGoesFirst ? second : first).reset();
        QVERIFY(!ScreenSaverRunning());
        QVERIFY(TForm1::Windows().isEmpty());
    }
}

void TestSaverWindows::saverWindowsCloseTogether_data() {
    QTest::addColumn<int>("closed");  // which of the three windows the user's sign reaches
    QTest::newRow("the first") << 0;
    QTest::newRow("the middle one") << 1;
    QTest::newRow("the last") << 2;
}

void TestSaverWindows::saverWindowsCloseTogether() {
    QFETCH(int, closed);
    std::vector<std::unique_ptr<TForm1>> forms;
    for (int i = 0; i < 3; ++i) {
        forms.push_back(std::make_unique<TForm1>());
        forms.back()->show();
        QVERIFY(QTest::qWaitForWindowExposed(forms.back().get()));
    }
    forms[closed]->close();
    for (const auto& form : forms)
        QVERIFY(!form->isVisible());
    QVERIFY(ScreenSaverRunning());  // closed, not yet destroyed
    forms.clear();
    QVERIFY(!ScreenSaverRunning());
}

void TestSaverWindows::onlyTheFirstSaverWindowTakesTheKeyboard() {
    auto first = ShowSaver();
    QVERIFY(first);
    QTRY_VERIFY(first->isActiveWindow());
    auto second = ShowSaver();
    QVERIFY(second);
    QTest::qWait(200);
    QVERIFY(first->isActiveWindow());
    QVERIFY(!second->isActiveWindow());
    Xdotool({"key", "a"});
    QTRY_VERIFY(!first->isVisible());
    QVERIFY(!second->isVisible());
}

// Millions of stars make a frame last seconds. A key pressed while the first one still places and
// draws them closes the saver then and there: that frame is given up, never finished.
void TestSaverWindows::keyDuringALongFrameCloses() {
    auto form = std::make_unique<TForm1>();
    form->Engine()->StarCount = 40 * TStars::StarsPerSlice;
    const auto takeInEvents = form->Engine()->Interrupted;
    QVERIFY(takeInEvents);
    int asked = 0;
    bool visibleWhenAsked = false;
    form->Engine()->Interrupted = [&] {
        if (++asked == 2) {
            visibleWhenAsked = form->isVisible();
            Xdotool({"key", "a"});  // the user, through the X server
        }
        return takeInEvents();
    };
    form->show();
    QTRY_VERIFY(asked > 0);
    QTRY_VERIFY(!form->isVisible());
    QVERIFY(visibleWhenAsked);
    QCOMPARE(form->Engine()->FrameCount, 0);
    QVERIFY2(asked < 40, qPrintable(QString::number(asked)));
}

void TestSaverWindows::unreadableSettingsLeaveNoFlag() {
    // A directory where the settings file should be cannot be opened.
    const QString settings = ApplicationDirectory() + QStringLiteral("Skyglow.ini");
    QVERIFY(QDir().mkdir(settings));
    QString message;
    try {
        TForm1 form;
    } catch (const EFOpenError& error) {
        message = error.Message;
    }
    QDir().rmdir(settings);
    QCOMPARE(message, QStringLiteral("Cannot open file ") + settings);
    QVERIFY(!ScreenSaverRunning());
}

void TestSaverWindows::framesAreDrawnByTheTimer() {
    auto form = ShowSaver();
    QVERIFY(form);
    QTRY_VERIFY(form->Engine()->FrameCount > 3);
    QCOMPARE(form->Image1->Picture()->Width(), form->width());
    QCOMPARE(form->Image1->Picture()->Height(), form->height());
    // The stars and the framed logo are on the black background.
    QVERIFY(HasColor(form->Image1, clWhite));
    QVERIFY(HasColor(form->Image1, clBlack));
    form->close();
}

void TestSaverWindows::previewTakesParentSize() {
    const Window parent = x.create(QSize(152, 112));
    TForm2 preview(QString::number(parent));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.size(), QSize(152, 112));
    QCOMPARE(x.parentOf(preview.winId()), parent);
    QTRY_VERIFY(preview.Engine()->FrameCount > 0);
    QCOMPARE(preview.Image1->Picture()->Width(), 152);
    QCOMPARE(preview.Image1->Picture()->Height(), 112);
    // 152 / 150 + 1 = 2: three copies of the text, blended in halves from the far colour (pure
    // blue) to the front one (grey 180): the middle copy is (90, 90, 217); thirds never occur.
    preview.Engine()->Clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(8, 8, 8)); };
    preview.Engine()->DrawFrame();
    QVERIFY(HasColor(preview.Image1, TColor(0xFF0000)));
    QVERIFY(HasColor(preview.Image1, BlendColor(0xFF0000, 0xB4B4B4, 1, 2)));
    QVERIFY(HasColor(preview.Image1, TColor(0xB4B4B4)));
    QVERIFY(!HasColor(preview.Image1, BlendColor(0xFF0000, 0xB4B4B4, 1, 3)));
    QVERIFY(!HasColor(preview.Image1, BlendColor(0xFF0000, 0xB4B4B4, 2, 3)));
    XDestroyWindow(x.display(), parent);
    XSync(x.display(), False);
}

void TestSaverWindows::previewFollowsParentResize() {
    const Window parent = x.create(QSize(152, 112));
    TForm2 preview(QStringLiteral("0x%1").arg(parent, 0, 16));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    XResizeWindow(x.display(), parent, 300, 200);
    XSync(x.display(), False);
    QTRY_COMPARE(preview.size(), QSize(300, 200));
    QTRY_COMPARE(preview.Image1->Picture()->Width(), 300);
    QCOMPARE(preview.Image1->Picture()->Height(), 200);
    XDestroyWindow(x.display(), parent);
    XSync(x.display(), False);
}

void TestSaverWindows::previewLeavesFlagAlone() {
    const Window parent = x.create(QSize(100, 80));
    for (bool initial : {false, true}) {
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, initial, nullptr, 0);
        {
            TForm2 preview(QString::number(parent));
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            QCOMPARE(ScreenSaverRunning(), initial);
        }
        QCOMPARE(ScreenSaverRunning(), initial);
    }
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, nullptr, 0);
    XDestroyWindow(x.display(), parent);
    XSync(x.display(), False);
}

void TestSaverWindows::previewClosesOnCloseRequest() {
    const Window parent = x.create(QSize(152, 112));
    TForm2 preview(QString::number(parent));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = preview.winId();
    event.xclient.message_type = x.atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(x.atom("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x.display(), preview.winId(), False, NoEventMask, &event);
    XSync(x.display(), False);
    QTRY_VERIFY(!preview.isVisible());
    XDestroyWindow(x.display(), parent);
    XSync(x.display(), False);
}

void TestSaverWindows::previewEndsWithParent() {
    const Window parent = x.create(QSize(152, 112));
    TForm2 preview(QString::number(parent));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTimer::singleShot(200, this, [this, parent] {
        XDestroyWindow(x.display(), parent);
        XSync(x.display(), False);
    });
    QTimer::singleShot(10000, this, [] { QCoreApplication::exit(99); });  // the preview never ended
    QCOMPARE(QCoreApplication::exec(), 0);
}

void TestSaverWindows::previewRejectsBadIds_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QString() << "'' is not a valid integer value";
    QTest::newRow("not a number") << "abc"
                                  << "'abc' is not a valid integer value";
    QTest::newRow("trailing junk") << "12x"
                                   << "'12x' is not a valid integer value";
    QTest::newRow("no such window") << "123456789"
                                    << "There is no window 123456789 to show the preview in";
}

void TestSaverWindows::previewRejectsBadIds() {
    QFETCH(QString, argument);
    QFETCH(QString, message);
    try {
        TForm2 preview(argument);
        QFAIL("the preview was created");
    } catch (const Exception& error) {
        QCOMPARE(error.Message, message);
    }
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                         [](QWidget* w) { return w->isVisible(); }));
}

QTEST_MAIN(TestSaverWindows)
#include "tst_saver_windows.moc"
