// The settings dialog on a real X server: the window active when it opened is disabled while it
// lives and active again once it is gone, however it was left; the dialog has no taskbar entry.
#include "SettingsDialog.h"

#include "DialogTestMain.h"
#include <Tallwick/SpinEdit.h>
#include <Tallwick/Vexutils.h>
#include "X11Glue.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

// Xlib last: its macros clash with Qt's names.
#include "../support/XTestWindows.h"

using namespace Tallwick;

namespace {
Window FocusedWindow(Display* display) {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus;
}
}  // namespace

class TestSettingsDialogX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void rememberedWindowActiveAgain_data();
    void rememberedWindowActiveAgain();
    void noTaskbarEntry();
    void rememberedWindowBackWhenLoadingFails();

private:
    XTestWindows x;
};

void TestSettingsDialogX11::initTestCase() { QVERIFY(x.display()); }

void TestSettingsDialogX11::cleanup() {
    QFile::remove(ApplicationDirectory() + "Skyglow.ini");
    QDir().rmdir(ApplicationDirectory() + "Skyglow.ini");
}

void TestSettingsDialogX11::rememberedWindowActiveAgain_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("OK") << "OK";
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("close box") << "close box";
}

void TestSettingsDialogX11::rememberedWindowActiveAgain() {
    QFETCH(QString, way);
    const Window other = x.create(QSize(200, 100));
    QTRY_COMPARE(x.attributes(other).map_state, IsViewable);
    XSetInputFocus(x.display(), other, RevertToParent, CurrentTime);
    XSync(x.display(), False);
    QCOMPARE(GetForegroundWindow(), other);

    auto form = std::make_unique<TForm3>();
    QCOMPARE(form->RememberedWindow(), other);
    QVERIFY(!IsWindowEnabled(other));
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTRY_VERIFY(FocusedWindow(x.display()) != other);
    QVERIFY(!IsWindowEnabled(other));

    if (way == "OK")
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    else if (way == "Cancel")
        QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
    else if (way == "Escape")
        QTest::keyClick(form->SpinEdit1, Qt::Key_Escape);
    else
        QVERIFY(form->close());
    QVERIFY(!form->isVisible());
    form.reset();
    QVERIFY(IsWindowEnabled(other));
    QTRY_COMPARE(FocusedWindow(x.display()), other);
    XDestroyWindow(x.display(), other);
    XSync(x.display(), False);
}

void TestSettingsDialogX11::noTaskbarEntry() {
    TForm3 form;
    form.show();
    const Window id = form.winId();
    QTRY_COMPARE(x.attributes(id).map_state, IsViewable);
    const auto states = x.atomsOf(id, "_NET_WM_STATE");
    QVERIFY(states.contains(x.atom("_NET_WM_STATE_SKIP_TASKBAR")));
    QVERIFY(states.contains(x.atom("_NET_WM_STATE_SKIP_PAGER")));
}

// A settings file that cannot be opened ends the dialog's creation; the window is given back.
void TestSettingsDialogX11::rememberedWindowBackWhenLoadingFails() {
    const Window other = x.create(QSize(200, 100));
    QTRY_COMPARE(x.attributes(other).map_state, IsViewable);
    XSetInputFocus(x.display(), other, RevertToParent, CurrentTime);
    XSync(x.display(), False);
    QVERIFY(QDir().mkdir(ApplicationDirectory() + "Skyglow.ini"));
    QVERIFY_THROWS_EXCEPTION(EFOpenError, TForm3());
    QVERIFY(IsWindowEnabled(other));
    QTRY_COMPARE(FocusedWindow(x.display()), other);
    XDestroyWindow(x.display(), other);
    XSync(x.display(), False);
}

SKYGLOW_DIALOG_TEST_MAIN(TestSettingsDialogX11)
#include "tst_settingsdialog_x11.moc"
