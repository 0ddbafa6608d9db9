#pragma once
// Helpers of the picture-library tests: comparing pictures channel by channel, decoding a file
// with ImageMagick, and writing hostile files.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QtEndian>
#include <cstdlib>

struct ImageDifference {
    int Max = 0;         // largest difference of one channel
    int X = -1, Y = -1;  // where it is
    bool SameSize = true;
};

inline ImageDifference Compare(const QImage& a, const QImage& b) {
    ImageDifference d;
    if (a.size() != b.size()) {
        d.SameSize = false;
        return d;
    }
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int m =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
            if (m > d.Max) {
                d.Max = m;
                d.X = x;
                d.Y = y;
            }
        }
    return d;
}

inline QByteArray Describe(const ImageDifference& d) {
    if (!d.SameSize)
        return "sizes differ";
    return QStringLiteral("largest channel difference %1 at (%2, %3)").arg(d.Max).arg(d.X).arg(d.Y).toLatin1();
}

// Little-endian fields for pictures assembled byte by byte.
inline QByteArray Le16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}
inline QByteArray Le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

inline QString ImageMagick() {
    return QStandardPaths::findExecutable(QStringLiteral("convert"), {QStringLiteral("/usr/bin")});
}

// The first picture of the file as ImageMagick decodes it, flattened on white; null on failure.
inline QImage DecodeWithImageMagick(const QString& path) {
    QProcess p;
    p.start(ImageMagick(), {path + QStringLiteral("[0]"), QStringLiteral("-background"), QStringLiteral("white"),
                            QStringLiteral("-flatten"), QStringLiteral("-alpha"), QStringLiteral("off"),
                            QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("ppm:-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QImage();
    return QImage::fromData(p.readAllStandardOutput(), "PPM").convertToFormat(QImage::Format_RGB32);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
