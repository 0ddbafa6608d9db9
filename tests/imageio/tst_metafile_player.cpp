// Metafiles assembled from the published WMF and EMF record layouts (data/make-metafiles.py):
// each shape must appear in its colour at its place, with objects, saved states and mapping
// handled; damaged and hostile metafiles end in bounded time.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Exception.h>
#include <Tallwick/ImageIO.h>
#include "ImageTools.h"
#include "MetafileCanvas.h"
#include "MetafilePlayer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace Tallwick;

class TestMetafilePlayer : public QObject {
    Q_OBJECT
private slots:
    void sizes_data();
    void sizes();
    void pixels_data();
    void pixels();
    void text_data();
    void text();
    void bounded_data();
    void bounded();
    void objectTable_data();
    void objectTable();
    void cutShort_data();
    void cutShort();
    void dibSourceBox_data();
    void dibSourceBox();
    void sizeWithoutDrawing();

private:
    QTemporaryDir FDir;
};

static QImage Load(const QString& path) {
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(path);
    return bitmap.Image().copy();
}
static QString Data(const char* name) { return QStringLiteral(IMAGEIO_TEST_DATA "/") + QLatin1String(name); }

void TestMetafilePlayer::sizes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("placeable: box at 96 units per inch") << Data("shapes.wmf") << QSize(200, 100);
    QTest::newRow("plain: first window extent") << Data("plain.wmf") << QSize(400, 200);
    QTest::newRow("emf: bounds") << Data("shapes.emf") << QSize(200, 100);
}

void TestMetafilePlayer::sizes() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QCOMPARE(Load(file).size(), size);
}

void TestMetafilePlayer::pixels_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 160, 0), white = qRgb(255, 255, 255),
               yellow = qRgb(255, 255, 0), cyan = qRgb(0, 200, 200), black = qRgb(0, 0, 0), lime = qRgb(0, 255, 0);
    for (const char* f : {"shapes.wmf", "shapes.emf"}) {
        const QString file = Data(f);
        const QByteArray n(f);
        QTest::newRow(n + " rectangle inside") << file << QPoint(30, 25) << red;
        QTest::newRow(n + " rectangle outline") << file << QPoint(10, 25) << blue;
        QTest::newRow(n + " ellipse") << file << QPoint(130, 40) << green;
        QTest::newRow(n + " outside the ellipse") << file << QPoint(102, 12) << white;
        QTest::newRow(n + " background") << file << QPoint(5, 5) << white;
        QTest::newRow(n + " line") << file << QPoint(170, 30) << blue;
        QTest::newRow(n + " bitmap top left") << file << QPoint(181, 65) << red;
        QTest::newRow(n + " bitmap top right") << file << QPoint(191, 65) << lime;
        QTest::newRow(n + " bitmap bottom left") << file << QPoint(181, 75) << blue;
        QTest::newRow(n + " bitmap bottom right") << file << QPoint(191, 75) << yellow;
    }
    const QString wmf = Data("shapes.wmf"), emf = Data("shapes.emf"), plain = Data("plain.wmf");
    QTest::newRow("wmf polygon") << wmf << QPoint(35, 70) << yellow;
    QTest::newRow("wmf brush restored, slot reused") << wmf << QPoint(80, 85) << cyan;
    QTest::newRow("wmf line goes on") << wmf << QPoint(170, 50) << blue;
    QTest::newRow("emf polygon16") << emf << QPoint(35, 70) << red;
    QTest::newRow("emf stock black brush") << emf << QPoint(80, 85) << black;
    QTest::newRow("emf polypolygon") << emf << QPoint(104, 78) << green;
    QTest::newRow("emf polypolygon hole") << emf << QPoint(125, 94) << white;
    QTest::newRow("emf line ends") << emf << QPoint(170, 70) << white;
    QTest::newRow("emf scaled square, brush restored") << emf << QPoint(188, 88) << green;
    QTest::newRow("emf scaled square ends at twice its size") << emf << QPoint(193, 93) << white;
    QTest::newRow("plain rectangle scaled by the window") << plain << QPoint(100, 50) << red;
    QTest::newRow("plain rectangle ends") << plain << QPoint(201, 101) << white;
    QTest::newRow("plain pie, counter-clockwise over the top") << plain << QPoint(300, 110) << blue;
    QTest::newRow("plain pie, left") << plain << QPoint(210, 150) << blue;
    QTest::newRow("plain pie leaves out the lower right") << plain << QPoint(350, 180) << white;
}

void TestMetafilePlayer::pixels() {
    QFETCH(QString, file);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    const QImage image = Load(file);
    QCOMPARE(QColor(image.pixel(at)).name(), QColor(colour).name());
}

void TestMetafilePlayer::text_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("wmf") << Data("shapes.wmf");
    QTest::newRow("emf") << Data("shapes.emf");
}

// "WWWW" at (100, 72), 20 pixels high, black and transparent: dark pixels there and only there.
void TestMetafilePlayer::text() {
    QFETCH(QString, file);
    const QImage image = Load(file);
    int inside = 0;
    for (int y = 72; y < 92; ++y)
        for (int x = 152; x < 168; ++x)  // right of the polypolygon, left of the line
            inside += qGray(image.pixel(x, y)) < 64;
    QVERIFY2(inside > 20, QByteArray::number(inside));
    QCOMPARE(QColor(image.pixel(158, 70)).name(), QStringLiteral("#ffffff"));  // no opaque background
}

namespace {
QByteArray WmfHeader(int objects) {
    return Le16(1) + Le16(9) + Le16(0x300) + Le32(0) + Le16(objects) + Le32(0) + Le16(0);
}
QByteArray WmfRecord(int function, const QList<int>& words) {
    QByteArray r = Le32(quint32(3 + words.size())) + Le16(function);
    for (int w : words)
        r += Le16(w);
    return r;
}
}  // namespace

void TestMetafilePlayer::bounded_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");  // empty: refused
    const QByteArray window = WmfRecord(0x020C, {30000, 30000});
    // Placeable, 32767 x 32767 units at 1 unit per inch: scaled to 4096 on the longer side.
    QByteArray placeable =
        Le32(0x9AC6CDD7u) + Le16(0) + Le16(0) + Le16(0) + Le16(32767) + Le16(16383) + Le16(1) + Le32(0) + Le16(0);
    QTest::newRow("huge placeable box") << placeable + WmfHeader(0) + WmfRecord(0, {}) << "a.wmf" << QSize(4096, 2048);
    // Thousands of ellipses covering the whole picture: drawing stops at the work budget.
    QByteArray many = WmfHeader(0) + window;
    for (int i = 0; i < 20000; ++i)
        many += WmfRecord(0x0418, {30000, 30000, 0, 0});
    QTest::newRow("20000 full-picture ellipses") << many << "b.wmf" << QSize(4096, 4096);
    // Object churn in a table of 65535 slots.
    QByteArray churn = WmfHeader(65535) + window;
    for (int i = 0; i < 30000; ++i)
        churn += WmfRecord(0x02FC, {0, 0, 0, 0}) + WmfRecord(0x01F0, {i % 7});
    const QByteArray end = WmfRecord(0, {});
    QTest::newRow("object churn") << churn + end << "c.wmf" << QSize(4096, 4096);
    QTest::newRow("record longer than the file")
        << WmfHeader(0) + window + Le32(0x7FFFFFFF) + Le16(0x0418) << "d.wmf" << QSize();
    QTest::newRow("polygon count beyond the record")
        << WmfHeader(0) + window + WmfRecord(0x0324, {32000, 1, 2}) + end << "e.wmf" << QSize(4096, 4096);
    QTest::newRow("no end-of-file record")
        << WmfHeader(0) + window + WmfRecord(0x0418, {1, 1, 0, 0}) << "l.wmf" << QSize();
    QTest::newRow("no window, no box") << WmfHeader(0) + WmfRecord(0x0418, {1, 1, 0, 0}) << "f.wmf" << QSize();
    QTest::newRow("zero window") << WmfHeader(0) + WmfRecord(0x020C, {0, 0}) << "g.wmf" << QSize();
    QByteArray emf = Le32(1) + Le32(108) + Le32(0) + Le32(0) + Le32(0x7FFFFFFF) + Le32(0x7FFFFFFF) +
                     QByteArray(16, '\0') + Le32(0x464D4520) + QByteArray(64, '\0');
    QTest::newRow("emf bounds 2^31") << emf + Le32(14) + Le32(20) + QByteArray(12, '\0') << "h.emf"
                                     << QSize(4096, 4096);
    QTest::newRow("emf cut in the header") << emf.left(60) << "i.emf" << QSize();
    QByteArray emfEmpty = Le32(1) + Le32(108) + Le32(0) + Le32(0) + Le32(quint32(-1)) + Le32(quint32(-1)) +
                          QByteArray(16, '\0') + Le32(0x464D4520) + QByteArray(64, '\0');
    QTest::newRow("emf without bounds or frame") << emfEmpty << "j.emf" << QSize();
    // Found by the fuzzer: a bitmap's source box whose right edge overflowed an int. The record
    // after the bitmap is damaged too, so the file is refused, once the bitmap has been played.
    QTest::newRow("emf source box 2^31") << QByteArray("file:fuzz-emf-source-overflow.emf") << "k.emf" << QSize();
}

void TestMetafilePlayer::bounded() {
    QFETCH(QByteArray, bytes);
    if (bytes.startsWith("file:")) {  // a file of the data folder
        QFile f(Data(bytes.mid(5).constData()));
        QVERIFY(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString path = FDir.filePath(name);
    WriteBytes(path, bytes);
    QElapsedTimer clock;
    clock.start();
    if (size.isEmpty()) {
        try {
            Load(path);
            QFAIL("no exception");
        } catch (const Exception& e) {
            QCOMPARE(e.Message, QStringLiteral("unrecognized WMF or EMF"));
        }
    } else {
        QCOMPARE(Load(path).size(), size);
    }
    QVERIFY2(clock.elapsed() < 30000, QByteArray::number(clock.elapsed()));
}

namespace {
QByteArray WmfBrush(QRgb c) { return WmfRecord(0x02FC, {0, qRed(c) | qGreen(c) << 8, qBlue(c), 0}); }
QByteArray WmfBox(int left, int top, int right, int bottom) { return WmfRecord(0x041B, {bottom, right, top, left}); }
QByteArray EmfRecord(int type, const QList<qint32>& fields) {
    QByteArray r = Le32(quint32(type)) + Le32(quint32(8 + 4 * fields.size()));
    for (qint32 f : fields)
        r += Le32(quint32(f));
    return r;
}
// 100 x 100 pixels, with a table of `handles` objects.
QByteArray EmfHeader(int handles) {
    return Le32(1) + Le32(108) + Le32(0) + Le32(0) + Le32(99) + Le32(99) + QByteArray(16, '\0') + Le32(0x464D4520) +
           QByteArray(12, '\0') + Le16(handles) + QByteArray(50, '\0');
}
QByteArray EmfBrush(int slot, QRgb c) { return EmfRecord(39, {slot, 0, qRed(c) | qGreen(c) << 8 | qBlue(c) << 16, 0}); }
QByteArray EmfBox(int left, int top, int right, int bottom) { return EmfRecord(43, {left, top, right, bottom}); }
}  // namespace

// The object table: new WMF objects take the lowest empty slot, none is made once the table the
// header declares is full; EMF names its slots anywhere in the table, and no further.
void TestMetafilePlayer::objectTable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), yellow = qRgb(255, 255, 0),
               cyan = qRgb(0, 255, 255), magenta = qRgb(255, 0, 255);
    const QByteArray select0 = WmfRecord(0x012D, {0}), select1 = WmfRecord(0x012D, {1}),
                     select2 = WmfRecord(0x012D, {2});
    QByteArray wmf = WmfHeader(3) + WmfRecord(0x020C, {100, 100}) + WmfBrush(red) + WmfBrush(green) + WmfBrush(blue) +
                     WmfBrush(yellow) /* table full: made nowhere */ + WmfRecord(0x01F0, {1}) + WmfBrush(cyan);
    wmf += select1 + WmfBox(0, 0, 50, 50) + select2 + WmfBox(50, 0, 100, 50);
    wmf += WmfRecord(0x012D, {3}) + WmfBox(0, 50, 50, 100);  // no slot 3: the blue brush stays
    wmf += WmfRecord(0x01F0, {0}) + WmfRecord(0x01F0, {0}) + WmfBrush(magenta) + WmfBrush(red) + select0 +
           WmfBox(50, 50, 100, 100) + WmfRecord(0, {});
    QTest::newRow("wmf: emptied slot taken again") << wmf << QPoint(25, 25) << cyan;
    QTest::newRow("wmf: slots after it kept") << wmf << QPoint(75, 25) << blue;
    QTest::newRow("wmf: selecting beyond the table changes nothing") << wmf << QPoint(25, 75) << blue;
    QTest::newRow("wmf: one emptied slot, one object") << wmf << QPoint(75, 75) << magenta;

    QByteArray emf = EmfHeader(65535) + EmfBrush(65534, green) + EmfBrush(65535, red) /* beyond the table */ +
                     EmfBrush(7, yellow) + EmfRecord(37, {65534}) + EmfBox(0, 0, 50, 50);
    emf += EmfRecord(37, {65535}) + EmfBox(50, 0, 100, 50);  // no such slot: still green
    emf += EmfRecord(37, {7}) + EmfBox(0, 50, 50, 100) + EmfRecord(40, {7}) + EmfRecord(37, {7}) +
           EmfBox(50, 50, 100, 100) /* deleted: still yellow */ + EmfRecord(14, {0, 0, 0});
    QTest::newRow("emf: last slot of 65535") << emf << QPoint(25, 25) << green;
    QTest::newRow("emf: slot beyond the table") << emf << QPoint(75, 25) << green;
    QTest::newRow("emf: slot below an earlier one") << emf << QPoint(25, 75) << yellow;
    QTest::newRow("emf: deleted slot selects nothing") << emf << QPoint(75, 75) << yellow;
}

void TestMetafilePlayer::objectTable() {
    QFETCH(QByteArray, bytes);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    const QImage image =
        TMetafilePlayer::Render(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size());
    QCOMPARE(image.size(), QSize(100, 100));
    QCOMPARE(QColor(image.pixel(at)).name(), QColor(colour).name());
}

void TestMetafilePlayer::cutShort_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("kept");
    for (const char* f : {"shapes.wmf", "plain.wmf", "shapes.emf"})
        for (double kept : {1.0 / 3, 0.5, 0.9})
            QTest::newRow(qPrintable(QStringLiteral("%1 cut at %2").arg(QLatin1String(f)).arg(kept, 0, 'f', 2)))
                << Data(f) << kept;
}

// A metafile that ends before its end-of-file record is refused, and the picture stays as it was.
void TestMetafilePlayer::cutShort() {
    QFETCH(QString, file);
    QFETCH(double, kept);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    const QString path = FDir.filePath(QStringLiteral("cut.") + QFileInfo(file).suffix());
    WriteBytes(path, whole.left(int(whole.size() * kept)));
    TBitmap bitmap;
    bitmap.SetSize(7, 5);
    bitmap.Image().fill(qRgb(10, 20, 30));
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    try {
        io.LoadFromFile(path);
        QFAIL("a cut metafile was loaded");
    } catch (const Exception& e) {
        QCOMPARE(e.Message, QStringLiteral("unrecognized WMF or EMF"));
    }
    QCOMPARE(bitmap.Image().size(), QSize(7, 5));
    QCOMPARE(bitmap.Image().pixel(3, 2), qRgb(10, 20, 30));
}

namespace {
// A 1 x 4 24-bit packed bitmap, rows stored bottom first (height 4) or top first (height -4);
// from the top the picture is red, lime, blue, yellow either way.
QByteArray Dib(bool bottomUp) {
    const QByteArray top[4] = {QByteArray("\0\0\xFF\0", 4), QByteArray("\0\xFF\0\0", 4), QByteArray("\xFF\0\0\0", 4),
                               QByteArray("\0\xFF\xFF\0", 4)};
    QByteArray dib = Le32(40) + Le32(1) + Le32(bottomUp ? 4 : quint32(-4)) + Le16(1) + Le16(24) + Le32(0) + Le32(16) +
                     Le32(0) + Le32(0) + Le32(0) + Le32(0);
    for (int i = 0; i < 4; ++i)
        dib += top[bottomUp ? 3 - i : i];
    return dib;
}

// A plain WMF, window 40 x 40, drawing the DIB's source box (x, y, w, h) over the whole picture
// with StretchDIB.
QByteArray StretchDibWmf(bool bottomUp, const QList<int>& box) {
    QList<int> words = {0x0020, 0x00CC, 0, box[3], box[2], box[1], box[0], 40, 40, 0, 0};
    QByteArray r = WmfRecord(0x0F43, words);
    const QByteArray dib = Dib(bottomUp);
    r = Le32(quint32(3 + words.size() + dib.size() / 2)) + r.mid(4) + dib;
    return WmfHeader(0) + WmfRecord(0x020C, {40, 40}) + r + WmfRecord(0, {});
}

// The same as an EMF with EMR_STRETCHDIBITS.
QByteArray StretchDibEmf(bool bottomUp, const QList<int>& box) {
    const QByteArray dib = Dib(bottomUp), info = dib.left(40), bits = dib.mid(40);
    QByteArray header = Le32(1) + Le32(88) + Le32(0) + Le32(0) + Le32(39) + Le32(39) + QByteArray(16, '\0') +
                        Le32(0x464D4520) + Le32(0x10000) + Le32(0) + Le32(3) + Le16(1) + Le16(0) + QByteArray(28, '\0');
    QByteArray record = Le32(81) + Le32(quint32(80 + dib.size())) + QByteArray(16, '\0') + Le32(0) + Le32(0) +
                        Le32(quint32(box[0])) + Le32(quint32(box[1])) + Le32(quint32(box[2])) + Le32(quint32(box[3])) +
                        Le32(80) + Le32(40) + Le32(120) + Le32(quint32(bits.size())) + Le32(0) + Le32(0x00CC0020) +
                        Le32(40) + Le32(40) + info + bits;
    const QByteArray end = Le32(14) + Le32(20) + QByteArray(12, '\0');
    header.replace(48, 4, Le32(quint32(88 + record.size() + end.size())));
    return header + record + end;
}
}  // namespace

void TestMetafilePlayer::dibSourceBox_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("colour");  // the colour that covers the picture
    // Source rows count from the bottom of a bottom-up bitmap, from the top of a top-down one.
    for (bool wmf : {true, false}) {
        const QString name = wmf ? QStringLiteral("dib.wmf") : QStringLiteral("dib.emf");
        const auto make = [wmf](bool bottomUp, QList<int> box) {
            return wmf ? StretchDibWmf(bottomUp, box) : StretchDibEmf(bottomUp, box);
        };
        const QByteArray kind = wmf ? "wmf " : "emf ";
        QTest::newRow(kind + "bottom-up, row 0") << make(true, {0, 0, 1, 1}) << name << qRgb(255, 255, 0);
        QTest::newRow(kind + "bottom-up, row 3") << make(true, {0, 3, 1, 1}) << name << qRgb(255, 0, 0);
        QTest::newRow(kind + "bottom-up, row 1") << make(true, {0, 1, 1, 1}) << name << qRgb(0, 0, 255);
        QTest::newRow(kind + "top-down, row 0") << make(false, {0, 0, 1, 1}) << name << qRgb(255, 0, 0);
        QTest::newRow(kind + "top-down, row 2") << make(false, {0, 2, 1, 1}) << name << qRgb(0, 0, 255);
    }
}

void TestMetafilePlayer::dibSourceBox() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QRgb, colour);
    const QString path = FDir.filePath(name);
    WriteBytes(path, bytes);
    const QImage image = Load(path);
    QCOMPARE(image.size(), QSize(40, 40));
    for (const QPoint at : {QPoint(2, 2), QPoint(20, 20), QPoint(37, 37)})
        QCOMPARE(QColor(image.pixel(at)).name(), QColor(colour).name());
}

// The size comes from the headers alone: a file cut after them still has one, though it cannot
// be drawn; drawn at another size, the picture is drawn there, not scaled.
void TestMetafilePlayer::sizeWithoutDrawing() {
    for (const char* f : {"shapes.wmf", "plain.wmf", "shapes.emf"}) {
        QFile file(Data(f));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll(), cut = whole.left(whole.size() * 9 / 10);
        const auto* d = reinterpret_cast<const std::uint8_t*>(whole.constData());
        const QSize natural = TMetafilePlayer::Size(d, whole.size());
        QCOMPARE(natural, Load(Data(f)).size());
        QCOMPARE(TMetafilePlayer::Size(reinterpret_cast<const std::uint8_t*>(cut.constData()), cut.size()), natural);
        const QImage twice = TMetafilePlayer::RenderAt(d, whole.size(), natural * 2);
        QCOMPARE(twice.size(), natural * 2);
        const QImage scaled = Load(Data(f)).scaled(natural * 2);
        QVERIFY2(twice != scaled, f);
        QVERIFY_THROWS_EXCEPTION(Exception, TMetafilePlayer::RenderAt(d, whole.size(), QSize(0, 10)));
        QVERIFY_THROWS_EXCEPTION(Exception, TMetafilePlayer::RenderAt(d, whole.size(), QSize(20000, 20000)));
    }
}

QTEST_MAIN(TestMetafilePlayer)
#include "tst_metafile_player.moc"
