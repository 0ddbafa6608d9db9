#include "BitmapRotator.h"

#include "PictureLimits.h"

#include <cmath>

namespace Tallwick {

namespace {
constexpr int kFractionBits = 16;
constexpr std::int64_t kOne = std::int64_t(1) << kFractionBits;

QImage QuarterTurn(const QImage& source, int quarters) {
    const int w = source.width(), h = source.height();
    if (quarters == 0)
        return source.copy();
    const bool swap = quarters != 2;
    QImage out = TPictureLimits::NewImage(swap ? h : w, swap ? w : h);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            // The source pixel that lands on (x, y) after the counter-clockwise turn.
            const int sx = quarters == 1 ? w - 1 - y : quarters == 2 ? w - 1 - x : y;
            const int sy = quarters == 1 ? x : quarters == 2 ? h - 1 - y : h - 1 - x;
            row[x] = reinterpret_cast<const std::uint32_t*>(source.constScanLine(sy))[sx];
        }
    }
    return out;
}

// a + (b - a) * f / 256 on all four channels at once, two at a time in 16-bit lanes.
inline std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, std::uint32_t f) {
    const std::uint32_t g = 256 - f;
    const std::uint32_t rb = (((a & 0xFF00FF) * g + (b & 0xFF00FF) * f) >> 8) & 0xFF00FF;
    const std::uint32_t ag = (((a >> 8) & 0xFF00FF) * g + ((b >> 8) & 0xFF00FF) * f) & 0xFF00FF00;
    return rb | ag;
}

struct Sampler {
    const uchar* Bits;
    qsizetype Stride;
    int Width, Height;
    std::uint32_t Background;

    const std::uint32_t* Row(int y) const { return reinterpret_cast<const std::uint32_t*>(Bits + Stride * y); }

    std::uint32_t At(int x, int y) const {
        return (unsigned(x) < unsigned(Width) && unsigned(y) < unsigned(Height)) ? Row(y)[x] : Background;
    }

    // Bilinear sample at fixed-point pixel coordinates (pixel centres at whole numbers).
    std::uint32_t Bilinear(std::int64_t fx, std::int64_t fy) const {
        const std::int64_t ix = fx >> kFractionBits, iy = fy >> kFractionBits;
        const std::uint32_t wx = std::uint32_t(fx >> (kFractionBits - 8)) & 0xFF;
        const std::uint32_t wy = std::uint32_t(fy >> (kFractionBits - 8)) & 0xFF;
        if (std::uint64_t(ix) < std::uint64_t(Width - 1) && std::uint64_t(iy) < std::uint64_t(Height - 1)) {
            const std::uint32_t* r0 = Row(int(iy)) + ix;
            const std::uint32_t* r1 = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const uchar*>(r0) + Stride);
            return Lerp(Lerp(r0[0], r0[1], wx), Lerp(r1[0], r1[1], wx), wy);
        }
        if (ix < -1 || iy < -1 || ix >= Width || iy >= Height)
            return Background;
        const int x = int(ix), y = int(iy);
        return Lerp(Lerp(At(x, y), At(x + 1, y), wx), Lerp(At(x, y + 1), At(x + 1, y + 1), wx), wy);
    }

    std::uint32_t Nearest(std::int64_t fx, std::int64_t fy) const {
        const std::int64_t half = kOne / 2;
        const std::int64_t ix = (fx + half) >> kFractionBits, iy = (fy + half) >> kFractionBits;
        if (std::uint64_t(ix) < std::uint64_t(Width) && std::uint64_t(iy) < std::uint64_t(Height))
            return Row(int(iy))[ix];
        return Background;
    }
};

QImage FreeTurn(const QImage& source, double angle, bool interpolate, std::uint32_t background) {
    const double t = angle * M_PI / 180.0, c = std::cos(t), s = std::sin(t);
    const int w = source.width(), h = source.height();
    // Sizes within a millionth of a whole number are taken as that number, not the next one up.
    const double newW = std::ceil(w * std::fabs(c) + h * std::fabs(s) - 1e-6);
    const double newH = std::ceil(w * std::fabs(s) + h * std::fabs(c) - 1e-6);
    if (!TPictureLimits::Acceptable(std::int64_t(newW), std::int64_t(newH), TPictureLimits::kMaxPixels, 1))
        return TPictureLimits::NewImage(int(std::min(newW, 2e9)), int(std::min(newH, 2e9)));  // throws
    QImage out = TPictureLimits::NewImage(int(newW), int(newH));
    const Sampler sampler{source.constBits(), source.bytesPerLine(), w, h, background};
    // The source point under destination pixel (x, y): the inverse turn about both centres, in
    // source pixel units with pixel centres at whole numbers.
    const std::int64_t stepX = std::llround(c * kOne), stepY = std::llround(s * kOne);
    for (int y = 0; y < out.height(); ++y) {
        const double v = y + 0.5 - newH / 2, u = 0.5 - newW / 2;
        std::int64_t fx = std::llround((w / 2.0 + u * c - v * s - 0.5) * kOne);
        std::int64_t fy = std::llround((h / 2.0 + u * s + v * c - 0.5) * kOne);
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x, fx += stepX, fy += stepY)
            row[x] = 0xFF000000u | (interpolate ? sampler.Bilinear(fx, fy) : sampler.Nearest(fx, fy));
    }
    return out;
}
}  // namespace

int TBitmapRotator::QuarterTurns(double angle) {
    double turns = std::fmod(angle, 360.0) / 90.0;
    if (turns < 0)
        turns += 4;
    const double nearest = std::round(turns);
    return std::fabs(turns - nearest) * 90.0 < 1e-9 ? int(nearest) % 4 : -1;
}

QImage TBitmapRotator::Rotate(const QImage& source, double angle, bool interpolate, std::uint32_t background) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int quarters = QuarterTurns(angle);
    return quarters >= 0 ? QuarterTurn(image, quarters) : FreeTurn(image, angle, interpolate, background);
}

}  // namespace Tallwick
