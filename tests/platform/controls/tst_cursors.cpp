// The cursor table: built-in shapes, the library's own pictures in their slots, pictures loaded by
// path, and the default cursor wherever a picture cannot be loaded. Also the replaceable beep.
#include "BeepTesting.h"
#include <Tallwick/Cursors.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tallwick;

class TestCursors : public QObject {
    Q_OBJECT
private slots:
    void builtInShapes_data();
    void builtInShapes();
    void libraryPictures_data();
    void libraryPictures();
    void picturesThatCannotBeLoaded_data();
    void picturesThatCannotBeLoaded();
    void badPictureClearsLoadedSlot();
    void pictureFromFileWithoutHotSpot();
    void beepIsReplaceable();
};

void TestCursors::builtInShapes_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("shape");
    QTest::newRow("default") << crDefault << int(Qt::ArrowCursor);
    QTest::newRow("hourglass") << crHourGlass << int(Qt::WaitCursor);
    QTest::newRow("cross") << crCross << int(Qt::CrossCursor);
    QTest::newRow("hand point") << crHandPoint << int(Qt::PointingHandCursor);
    QTest::newRow("slot never loaded") << 77 << int(Qt::ArrowCursor);
    QTest::newRow("unknown negative") << -99 << int(Qt::ArrowCursor);
}

void TestCursors::builtInShapes() {
    QFETCH(int, cursor);
    QFETCH(int, shape);
    QCOMPARE(int(CursorFor(cursor).shape()), shape);
}

void TestCursors::libraryPictures_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("hotSpot");
    QTest::newRow("pan") << crPanning << "PANNING" << QPoint(16, 16);
    QTest::newRow("zoom in") << crZoomMore << "ZOOMMORE" << QPoint(12, 12);
    QTest::newRow("zoom out") << crZoomLess << "ZOOMLESS" << QPoint(12, 12);
}

// 32 x 32 pictures with transparent surroundings, white shapes and black outlines.
void TestCursors::libraryPictures() {
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(QPoint, hotSpot);
    QVERIFY(LoadCursorPicture(slot, name));
    QVERIFY(CursorSlotLoaded(slot));
    const QCursor cursor = CursorFor(slot);
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), hotSpot);
    const QImage picture = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(picture.size(), QSize(32, 32));
    int transparent = 0, white = 0, black = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = picture.pixel(x, y);
            transparent += qAlpha(p) == 0;
            white += p == qRgb(255, 255, 255);
            black += p == qRgb(0, 0, 0);
        }
    QCOMPARE(transparent + white + black, 32 * 32);
    QVERIFY(white > 100 && black > 60 && transparent > 300);
    QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
}

void TestCursors::picturesThatCannotBeLoaded_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown name") << 11 << "NOSUCHCURSOR";
    QTest::newRow("empty name") << 12 << "";
    QTest::newRow("missing file") << 13 << "/nonexistent/cursor.xpm";
    QTest::newRow("slot 0") << 0 << "PANNING";
    QTest::newRow("negative slot") << -3 << "ZOOMMORE";
}

void TestCursors::picturesThatCannotBeLoaded() {
    QFETCH(int, slot);
    QFETCH(QString, name);
    QVERIFY(!LoadCursorPicture(slot, name));
    QVERIFY(!CursorSlotLoaded(slot));
    if (slot > 0)
        QCOMPARE(CursorFor(slot).shape(), Qt::ArrowCursor);
}

// A slot whose new picture cannot be loaded shows the default cursor, not the old picture.
void TestCursors::badPictureClearsLoadedSlot() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.xpm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("/* XPM */\nstatic const char* x[] = {\n\"32 32 2 1\",\n\"  c None\",\n\"garbage");
    file.close();
    QVERIFY(LoadCursorPicture(21, QStringLiteral("ZOOMLESS")));
    QVERIFY(!LoadCursorPicture(21, path));
    QCOMPARE(CursorFor(21).shape(), Qt::ArrowCursor);
    // A file far larger than any cursor is refused before it is read.
    const QString large = dir.filePath(QStringLiteral("large.png"));
    QFile big(large);
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(64 << 20));
    big.close();
    QVERIFY(!LoadCursorPicture(21, large));
}

// Other pictures load by path; without a hot spot in the file the centre is the hot spot.
void TestCursors::pictureFromFileWithoutHotSpot() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dot.png"));
    QImage dot(20, 10, QImage::Format_ARGB32);
    dot.fill(Qt::red);
    QVERIFY(dot.save(path));
    QVERIFY(LoadCursorPicture(30, path));
    QCOMPARE(CursorFor(30).hotSpot(), QPoint(10, 5));
    QCOMPARE(CursorFor(30).pixmap().size(), QSize(20, 10));
}

void TestCursors::beepIsReplaceable() {
    int beeps = 0;
    const TBeeper previous = SetBeeper([&] { ++beeps; });
    QVERIFY(!previous);
    MessageBeep();
    MessageBeep();
    QCOMPARE(beeps, 2);
    const TBeeper mine = SetBeeper(nullptr);
    QVERIFY(bool(mine));
    MessageBeep();  // the system beep again; the counter stays
    QCOMPARE(beeps, 2);
}

QTEST_MAIN(TestCursors)
#include "tst_cursors.moc"
