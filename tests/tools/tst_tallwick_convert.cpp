// tallwick-convert run as a user or a file manager runs it: PNG output, fitting within a square,
// angles of any size, and the messages and exit statuses of what it refuses.
#include "ImageTools.h"
#include "MetafilePlayer.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/ImageIO.h>
#include <Tallwick/ImageProc.h>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using namespace Tallwick;

class TestTallwickConvert : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();

private:
    QTemporaryDir FDir;
};

namespace {
QString Data(const char* name) { return QStringLiteral(IMAGEIO_TEST_DATA "/") + QLatin1String(name); }

QImage Load(const QString& path) {
    TBitmap bitmap;
    TImageIO io;
    io.SetAttachedBitmap(&bitmap);
    io.LoadFromFile(path);
    return bitmap.Image().copy();
}

QImage Rotated(const QString& path, double angle) {
    TBitmap bitmap;
    bitmap.Assign(Load(path));
    TImageProc proc;
    proc.SetAttachedBitmap(&bitmap);
    proc.Rotate(angle, true);
    return bitmap.Image().copy();
}

QImage DrawnAt(const QString& path, QSize size) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray b = f.readAll();
    return TMetafilePlayer::RenderAt(reinterpret_cast<const std::uint8_t*>(b.constData()), b.size(), size);
}
}  // namespace

void TestTallwickConvert::run_data() {
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");  // a name in the test's folder
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");  // part of what is printed on failure
    QTest::addColumn<QImage>("expected");  // the pixels written, when status is 0
    const QString wmf = Data("shapes.wmf"), emf = Data("shapes.emf"), pcx = Data("pcx-24.pcx");
    const QImage pcxImage = Load(pcx);
    const QSize pcxFitted = pcxImage.size().scaled(20, 20, Qt::KeepAspectRatio);

    QTest::newRow("png output") << wmf << "a.png" << QStringList() << 0 << QString() << Load(wmf);
    QTest::newRow("PNG output, capitals") << pcx << "a.PNG" << QStringList() << 0 << QString() << pcxImage;
    QTest::newRow("size 64, wmf drawn at 64 x 32")
        << wmf << "b.png" << QStringList{"--size", "64"} << 0 << QString() << DrawnAt(wmf, QSize(64, 32));
    QTest::newRow("size 100, emf drawn at 100 x 50")
        << emf << "c.png" << QStringList{"--size", "100"} << 0 << QString() << DrawnAt(emf, QSize(100, 50));
    QTest::newRow("size 4096 does not enlarge")
        << wmf << "d.png" << QStringList{"--size", "4096"} << 0 << QString() << Load(wmf);
    QTest::newRow("size 1") << wmf << "e.png" << QStringList{"--size", "1"} << 0 << QString()
                            << DrawnAt(wmf, QSize(1, 1));
    QTest::newRow("size 20, pcx shrunk") << pcx << "f.bmp" << QStringList{"--size", "20"} << 0 << QString()
                                         << pcxImage.scaled(pcxFitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                                .convertToFormat(QImage::Format_RGB32);
    QTest::newRow("rotate 1e308 is rotate 1e308 mod 360") << pcx << "g.bmp" << QStringList{"--rotate", "1e308"} << 0
                                                          << QString() << Rotated(pcx, std::fmod(1e308, 360.0));
    QTest::newRow("rotate -450") << pcx << "h.bmp" << QStringList{"--rotate", "-450"} << 0 << QString()
                                 << Rotated(pcx, 270);

    const QString sizeMessage = QStringLiteral("--size needs a whole number of pixels from 1 to 4096");
    for (const char* bad : {"0", "4097", "-5", "12.5", "abc", "99999999999"})
        QTest::newRow(qPrintable(QStringLiteral("size %1").arg(QLatin1String(bad))))
            << wmf << "x.png" << QStringList{"--size", QString::fromLatin1(bad)} << 2 << sizeMessage << QImage();
    QTest::newRow("size without a value") << wmf << "x.png" << QStringList{"--size"} << 2 << sizeMessage << QImage();
    for (const char* bad : {"nan", "inf", "-inf", "1e400"})
        QTest::newRow(qPrintable(QStringLiteral("rotate %1").arg(QLatin1String(bad))))
            << wmf << "x.png" << QStringList{"--rotate", QString::fromLatin1(bad)} << 2
            << "--rotate needs a finite angle in degrees" << QImage();
    QTest::newRow("wmf output") << pcx << "x.wmf" << QStringList() << 1
                                << "Cannot save WMF or EMF: these formats are read only" << QImage();
    QTest::newRow("emf output") << pcx << "x.EMF" << QStringList() << 1
                                << "Cannot save WMF or EMF: these formats are read only" << QImage();
    QTest::newRow("png input") << Data("bmp24.bmp.png") << "x.bmp" << QStringList() << 1
                               << "is a PNG picture, which is not read here" << QImage();
}

void TestTallwickConvert::run() {
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QImage, expected);
    const QString outPath = FDir.filePath(out);
    QFile::remove(outPath);
    QProcess p;
    p.start(QStringLiteral(TALLWICK_CONVERT), QStringList{in, outPath} + options);
    QVERIFY(p.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY2(p.exitCode() == status, qPrintable(err));
    if (status != 0) {
        QVERIFY2(err.contains(message), qPrintable(err));
        QVERIFY(!QFile::exists(outPath));
        return;
    }
    QFile written(outPath);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray magic = out.endsWith(QLatin1String("png"), Qt::CaseInsensitive) ? "\x89PNG" : "BM";
    QCOMPARE(written.read(magic.size()), magic);
    const QImage image = QImage(outPath).convertToFormat(QImage::Format_RGB32);
    const ImageDifference d = Compare(image, expected);
    QVERIFY2(d.SameSize && d.Max == 0, qPrintable(QStringLiteral("%1 x %2: ").arg(image.width()).arg(image.height()) +
                                                  QLatin1String(Describe(d))));
}

QTEST_MAIN(TestTallwickConvert)
#include "tst_tallwick_convert.moc"
