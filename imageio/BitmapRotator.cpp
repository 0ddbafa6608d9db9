// Turns a 32-bit picture about its centre.
#include "BitmapRotator.h"

#include "PictureLimits.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

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
            const std::uint32_t* r1 =
                reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const uchar*>(r0) + Stride);
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

// The columns [first, last) of a row whose samples certainly fall where all four neighbours exist:
// v(x) = start + step x must stay within [0, limit) for both coordinates; worked out in doubles
// and then narrowed by a pixel on each side, so rounding can never let a sample out.
// With `margin` = -1 the range is widened by a pixel instead: outside it no sample can touch the
// picture at all.
void Columns(std::int64_t startX, std::int64_t stepX, double lowX, double highX, std::int64_t startY,
             std::int64_t stepY, double lowY, double highY, int width, int margin, int& first, int& last) {
    double lo = 0, hi = width;
    const auto clip = [&lo, &hi](double start, double step, double low, double high) {
        if (step == 0) {
            if (start < low || start >= high)
                hi = lo;
            return;
        }
        const double a = (low - start) / step, b = (high - start) / step;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    };
    clip(double(startX), double(stepX), lowX, highX);
    clip(double(startY), double(stepY), lowY, highY);
    if (hi <= lo) {
        first = last = 0;
        return;
    }
    first = int(std::clamp(std::ceil(lo) + margin, 0.0, double(width)));
    last = int(std::clamp(std::floor(hi) - margin, double(first), double(width)));
}

#if defined(__SSE2__)
// The bilinear sample of the 2 x 2 pixels at r0 and r1 with 8-bit weights, in 16-bit lanes.
inline std::uint32_t Bilinear2x2(const std::uint32_t* r0, const std::uint32_t* r1, std::uint32_t wx, std::uint32_t wy) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(r0)), zero);
    const __m128i bottom = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(r1)), zero);
    const __m128i vertical = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(top, _mm_set1_epi16(short(256 - wy))),
                                                          _mm_mullo_epi16(bottom, _mm_set1_epi16(short(wy)))),
                                            8);
    const __m128i weights = _mm_unpacklo_epi64(_mm_set1_epi16(short(256 - wx)), _mm_set1_epi16(short(wx)));
    const __m128i products = _mm_mullo_epi16(vertical, weights);
    const __m128i sum = _mm_srli_epi16(_mm_add_epi16(products, _mm_srli_si128(products, 8)), 8);
    return std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(sum, zero)));
}
#else
inline std::uint32_t Bilinear2x2(const std::uint32_t* r0, const std::uint32_t* r1, std::uint32_t wx, std::uint32_t wy) {
    return Lerp(Lerp(r0[0], r0[1], wx), Lerp(r1[0], r1[1], wx), wy);
}
#endif

struct TurnJob {
    const Sampler* S;
    QImage* Out;
    double C, Sn, NewW, NewH;
    bool Interpolate;
};

// Rows [y0, y1) of the turned picture.
void TurnRows(const TurnJob& job, int y0, int y1) {
    const Sampler& sampler = *job.S;
    const int w = sampler.Width, h = sampler.Height;
    // The source point under destination pixel (x, y): the inverse turn about both centres, in
    // source pixel units with pixel centres at whole numbers.
    const std::int64_t stepX = std::llround(job.C * kOne), stepY = std::llround(job.Sn * kOne);
    for (int y = y0; y < y1; ++y) {
        const double v = y + 0.5 - job.NewH / 2, u = 0.5 - job.NewW / 2;
        const std::int64_t startX = std::llround((w / 2.0 + u * job.C - v * job.Sn - 0.5) * kOne);
        const std::int64_t startY = std::llround((h / 2.0 + u * job.Sn + v * job.C - 0.5) * kOne);
        auto* row = reinterpret_cast<std::uint32_t*>(job.Out->scanLine(y));
        const int width = job.Out->width();
        // Columns whose sample cannot touch the picture, then the edge, then the inside.
        int touchFirst = 0, touchLast = width, first = 0, last = 0;
        Columns(startX, stepX, -2.0 * kOne, double(w + 1) * kOne, startY, stepY, -2.0 * kOne, double(h + 1) * kOne,
                width, 0, touchFirst, touchLast);
        if (job.Interpolate)
            Columns(startX, stepX, 0, double(w - 1) * kOne, startY, stepY, 0, double(h - 1) * kOne, width, 1, first,
                    last);
        first = std::clamp(first, touchFirst, touchLast);
        last = std::clamp(last, first, touchLast);
        std::fill(row, row + touchFirst, sampler.Background | 0xFF000000u);
        std::fill(row + touchLast, row + width, sampler.Background | 0xFF000000u);
        std::int64_t fx = startX + stepX * touchFirst, fy = startY + stepY * touchFirst;
        int x = touchFirst;
        for (; x < first; ++x, fx += stepX, fy += stepY)
            row[x] = 0xFF000000u | sampler.Bilinear(fx, fy);
        for (; x < last; ++x, fx += stepX, fy += stepY) {  // no bounds to check here
            const std::uint32_t* r0 = sampler.Row(int(fy >> kFractionBits)) + (fx >> kFractionBits);
            const std::uint32_t* r1 =
                reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const uchar*>(r0) + sampler.Stride);
            const std::uint32_t wx = std::uint32_t(fx >> (kFractionBits - 8)) & 0xFF;
            const std::uint32_t wy = std::uint32_t(fy >> (kFractionBits - 8)) & 0xFF;
            row[x] = 0xFF000000u | Bilinear2x2(r0, r1, wx, wy);
        }
        for (; x < touchLast; ++x, fx += stepX, fy += stepY)
            row[x] = 0xFF000000u | (job.Interpolate ? sampler.Bilinear(fx, fy) : sampler.Nearest(fx, fy));
    }
}

// Large pictures are turned in bands by the calling thread together with workers of Qt's global
// pool, each taking the next band until none is left (so a worker held up by a busy machine
// delays little). Each band writes its own rows only.
void TurnInBands(const TurnJob& job) {
    const int height = job.Out->height();
    const int workers = std::min(QThread::idealThreadCount(), 8) - 1;
    if (workers < 1 || std::int64_t(job.Out->width()) * height < 256 * 1024) {
        TurnRows(job, 0, height);
        return;
    }
    const int bands = std::min(height / 32, 8 * (workers + 1));
    std::atomic<int> next{0};
    const auto work = [&job, &next, bands, height] {
        for (int b = next++; b < bands; b = next++)
            TurnRows(job, height * b / bands, height * (b + 1) / bands);
    };
    QSemaphore done;
    for (int i = 0; i < workers; ++i)
        QThreadPool::globalInstance()->start([&work, &done] {
            work();
            done.release();
        });
    work();
    done.acquire(workers);
}

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
    TurnInBands(TurnJob{&sampler, &out, c, s, newW, newH, interpolate});
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
    // Whole turns change nothing; reducing first keeps huge angles (1e308) from reaching the
    // trigonometry, where they lose all precision.
    angle = std::fmod(angle, 360.0);
    const int quarters = QuarterTurns(angle);
    return quarters >= 0 ? QuarterTurn(image, quarters) : FreeTurn(image, angle, interpolate, background);
}

}  // namespace Tallwick
