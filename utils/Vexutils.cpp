// Stateless helpers shared by the star field and the components: dots, blending, distances,
// rounding, range guards.
#include "Vexutils.h"

#include "GdiCalls.h"
#include "IntConversion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QWidget>
#include <QtEndian>
#include <climits>
#include <cmath>
#include <cstdint>

namespace Tallwick {

void DrawDot(TCanvas* canvas, int x, int y, int size, TColor color) {
    if (size < 2) {
        canvas->SetPixel(x, y, color);
        return;
    }
    const int half = size / 2;
    const int left = x - half, top = y - half;
    FillEllipse(canvas, left, top, left + size, top + size, color);
}

void FillEllipse(TCanvas* canvas, int left, int top, int right, int bottom, TColor color) {
    canvas->Pen.Color = color;
    canvas->Brush.Color = canvas->Pen.Color;
    canvas->Ellipse(left, top, right, bottom);
}

TColor BlendColor(TColor c1, TColor c2, int step, int steps) {
    if (steps < 1)
        return c1;
    // The sum is a 32-bit int that wraps on overflow, as the blend was defined; it is formed in
    // 64 bits and cut to 32 so that a step far outside 0..steps is no overflow here.
    auto channel = [&](int shift) {
        const std::int64_t a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        const auto sum =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(a * (std::int64_t(steps) - step) + b * step));
        return (sum / steps) & 0xFF;
    };
    return channel(0) + channel(8) * 256 + channel(16) * 65536;
}

double SquaredDistance(double x1, double y1, double x2, double y2) {
    return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
}

double PointDistance(double x1, double y1, double x2, double y2) { return std::sqrt(SquaredDistance(x1, y1, x2, y2)); }

// Beyond the int range the result stops at the nearer end, and NaN gives INT_MIN, so a coordinate
// made from either fails every drawing range test.
int RoundToInt(double v) {
    if (std::isnan(v))
        return INT_MIN;
    if (v == 0)
        return 0;
    const double frac = std::fabs(v - std::trunc(v));
    if (v > 0)
        return TruncToInt(frac < 0.5 ? std::floor(v) : std::ceil(v));
    return TruncToInt(frac < 0.5 ? std::ceil(v) : std::floor(v));
}

void ClearControl(const QWidget* control, TCanvas* canvas, TColor color) {
    canvas->Pen.Color = color;
    canvas->Brush.Color = color;
    canvas->FillRect(Rect(0, 0, control->width(), control->height()));
}

bool LineInGdiRange(int x1, int y1, int x2, int y2) {
    // Extents are formed in 64 bits: the difference of two ints may not fit in one.
    const long long values[] = {y1, y2, x1, x2, 0LL + x2 - x1, 0LL + y2 - y1};
    for (long long v : values)
        if (v < kGdiRangeMin || v > kGdiRangeMax)
            return false;
    return true;
}

bool TriangleInGdiRange(int x1, int y1, int x2, int y2, int x3, int y3) {
    const long long values[] = {
        x1,           x2, x3, y1, y2, y3, 0LL + x2 - x1, 0LL + x3 - x2, 0LL + x1 - x3, 0LL + y2 - y1, 0LL + y3 - y2,
        0LL + y1 - y3};
    for (long long v : values)
        if (v < kGdiRangeMin || v > kGdiRangeMax)
            return false;
    return true;
}

bool TriangleOutside(const QWidget* control, int x1, int y1, int x2, int y2, int x3, int y3) {
    const int w = control->width(), h = control->height();
    return (x1 < 0 && x2 < 0 && x3 < 0) || (x1 > w && x2 > w && x3 > w) || (y1 < 0 && y2 < 0 && y3 < 0) ||
           (y1 > h && y2 > h && y3 > h);
}

bool DrawTriangle(const QWidget* control, TCanvas* canvas, int x1, int y1, int x2, int y2, int x3, int y3) {
    if (TriangleOutside(control, x1, y1, x2, y2, x3, y3))
        return true;
    const bool ok = TriangleInGdiRange(x1, y1, x2, y2, x3, y3);
    if (ok) {
        const TPoint points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
        Polygon(canvas->Handle(), points, 3);
    }
    return ok;
}

int Clamp(int value, int low, int high) {
    if (value > high)
        return high;
    if (value < low)
        return low;
    return value;
}

QString ExecutableDirectory(const QString& executablePath) {
    QString dir = QFileInfo(executablePath).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString ApplicationDirectory() {
    const QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath()
                                                      : QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return ExecutableDirectory(path);
}

namespace {
template <typename T>
T ReadLittle(QIODevice& stream, T fallback) {
    char bytes[sizeof(T)];
    if (stream.read(bytes, sizeof(T)) != qint64(sizeof(T)))
        return fallback;
    return qFromLittleEndian<T>(bytes);
}

template <typename T>
void WriteLittle(QIODevice& stream, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    stream.write(bytes, sizeof(T));
}
}  // namespace

QByteArray ReadString(QIODevice& stream) {
    const qint32 length = ReadLittle<qint32>(stream, 0);
    if (length < 0 || length > stream.bytesAvailable()) {
        stream.seek(stream.size());
        return QByteArray();
    }
    QByteArray text = stream.read(length);
    const int zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

TColor ReadColor(QIODevice& stream, TColor fallback) { return ReadLittle<qint32>(stream, fallback); }
int ReadInt(QIODevice& stream, int fallback) { return ReadLittle<qint32>(stream, fallback); }

char ReadByte(QIODevice& stream, char fallback) {
    char c = fallback;
    if (!stream.getChar(&c))
        return fallback;
    return c;
}

void WriteString(QIODevice& stream, const QByteArray& text) {
    WriteLittle<qint32>(stream, qint32(text.size()));
    stream.write(text);
}

void WriteColor(QIODevice& stream, TColor color) { WriteLittle<qint32>(stream, color); }
void WriteInt(QIODevice& stream, int value) { WriteLittle<qint32>(stream, value); }
void WriteByte(QIODevice& stream, char value) { stream.putChar(value); }

}  // namespace Tallwick
