// Tests of placing a widget inside a window of another program under a real X server.
#include <Tallwick/Application.h>
#include "EmbeddedWindow.h"
#include "ParentWindowWatcher.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "../../support/XTestWindows.h"

using namespace Tallwick;

namespace {
int argc = 1;
char arg0[] = "tst_embeddedwindow";
char* argv[] = {arg0, nullptr};
}  // namespace

class TestEmbeddedWindow : public QObject {
    Q_OBJECT
private slots:
    void becomesChildOfSameSize_data();
    void becomesChildOfSameSize();
    void refusesIdNamingNoWindow();
    void followsParentThroughWatcher();

private:
    XTestWindows x;
};

void TestEmbeddedWindow::becomesChildOfSameSize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("preview host") << QSize(152, 112);
    QTest::newRow("larger host") << QSize(400, 300);
}

void TestEmbeddedWindow::becomesChildOfSameSize() {
    QFETCH(QSize, size);
    const Window host = x.create(size);
    QWidget preview;
    preview.resize(193, 144);  // a design-time size, replaced by the host's
    QVERIFY(EmbedInForeignWindow(&preview, host));
    preview.show();
    const Window id = preview.winId();
    QTRY_COMPARE(x.attributes(id).map_state, IsViewable);
    QCOMPARE(x.parentOf(id), host);
    const XWindowAttributes a = x.attributes(id);
    QCOMPARE(QPoint(a.x, a.y), QPoint(0, 0));
    QCOMPARE(QSize(a.width, a.height), size);
    QCOMPARE(preview.size(), size);
    QVERIFY(preview.isWindow());
    XDestroyWindow(x.display(), host);
}

void TestEmbeddedWindow::refusesIdNamingNoWindow() {
    QWidget preview;
    QVERIFY(!EmbedInForeignWindow(&preview, x.destroyedWindow()));
    QVERIFY(!EmbedInForeignWindow(&preview, 0));
    QVERIFY(!preview.windowHandle() || !preview.windowHandle()->parent());
}

// How a preview keeps the host's size and ends with it.
void TestEmbeddedWindow::followsParentThroughWatcher() {
    const Window host = x.create(QSize(152, 112));
    QPointer<QWidget> preview = new QWidget;
    QVERIFY(EmbedInForeignWindow(preview, host));
    TParentWindowWatcher watcher(host);
    connect(&watcher, &TParentWindowWatcher::resized, preview, [&](QSize size) { preview->resize(size); });
    connect(&watcher, &TParentWindowWatcher::windowDestroyed, preview, &QObject::deleteLater);
    preview->show();
    const Window id = preview->winId();
    QTRY_COMPARE(x.attributes(id).map_state, IsViewable);

    XResizeWindow(x.display(), host, 320, 240);
    XFlush(x.display());
    QTRY_COMPARE(preview->size(), QSize(320, 240));
    QTRY_COMPARE(x.attributes(id).width, 320);

    XDestroyWindow(x.display(), host);
    XFlush(x.display());
    QTRY_VERIFY(preview.isNull());
}

int main() {
    TApplication app(argc, argv);
    TestEmbeddedWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_embeddedwindow.moc"
