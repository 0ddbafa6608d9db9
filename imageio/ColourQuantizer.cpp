// Reduces a picture of many colours to a palette of at most 256, for the writers of palette
// formats.
#include "ColourQuantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace Tallwick {

namespace {
// Colours are gathered in cells of 6 bits per channel (262144 cells), each keeping the mean of
// the pixels in it, so that the work depends on the colours present, not on the picture's size.
constexpr int kCellBits = 6;
constexpr int kRefinements = 8;

struct Cell {
    std::array<double, 3> Mean;
    double Count;
};

struct Box {
    int Begin, End;  // cells [Begin, End)
    double Error;    // sum of squared distances of its pixels from their mean
};

std::array<double, 3> Channels(std::uint32_t p) {
    return {double(p >> 16 & 0xFF), double(p >> 8 & 0xFF), double(p & 0xFF)};
}

double Distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    const double r = a[0] - b[0], g = a[1] - b[1], bl = a[2] - b[2];
    return r * r + g * g + bl * bl;
}

std::vector<Cell> Histogram(const QImage& image) {
    constexpr int kCells = 1 << (3 * kCellBits);
    std::vector<double> sums(std::size_t(kCells) * 4, 0.0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = row[x];
            const std::size_t cell = (p >> (24 - kCellBits) & 0x3F) << 12 | (p >> (16 - kCellBits) & 0x3F) << 6 |
                                     (p >> (8 - kCellBits) & 0x3F);
            double* s = &sums[cell * 4];
            s[0] += p >> 16 & 0xFF;
            s[1] += p >> 8 & 0xFF;
            s[2] += p & 0xFF;
            s[3] += 1;
        }
    }
    std::vector<Cell> cells;
    for (std::size_t c = 0; c < std::size_t(kCells); ++c) {
        const double* s = &sums[c * 4];
        if (s[3] > 0)
            cells.push_back(Cell{{s[0] / s[3], s[1] / s[3], s[2] / s[3]}, s[3]});
    }
    return cells;
}

// Sum of squared errors of a set of pixels from its running sums.
struct Moments {
    double Count = 0;
    std::array<double, 3> Sum{}, Squares{};
    void Add(const Cell& c, double sign = 1) {
        Count += sign * c.Count;
        for (int i = 0; i < 3; ++i) {
            Sum[std::size_t(i)] += sign * c.Count * c.Mean[std::size_t(i)];
            Squares[std::size_t(i)] += sign * c.Count * c.Mean[std::size_t(i)] * c.Mean[std::size_t(i)];
        }
    }
    double Error() const {
        double e = 0;
        for (int i = 0; i < 3; ++i)
            e += Count > 0 ? Squares[std::size_t(i)] - Sum[std::size_t(i)] * Sum[std::size_t(i)] / Count : 0;
        return std::max(0.0, e);
    }
    double Variance(int axis) const {
        const double m = Sum[std::size_t(axis)] / Count;
        return Squares[std::size_t(axis)] / Count - m * m;
    }
};

Moments MomentsOf(const std::vector<Cell>& cells, int begin, int end) {
    Moments m;
    for (int i = begin; i < end; ++i)
        m.Add(cells[std::size_t(i)]);
    return m;
}

// Sorts the box's cells along its widest axis and splits them where the two halves' errors add
// up to the least.
std::pair<Box, Box> Split(std::vector<Cell>& cells, const Box& box) {
    const Moments all = MomentsOf(cells, box.Begin, box.End);
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (all.Variance(a) > all.Variance(axis))
            axis = a;
    std::sort(cells.begin() + box.Begin, cells.begin() + box.End,
              [axis](const Cell& a, const Cell& b) { return a.Mean[std::size_t(axis)] < b.Mean[std::size_t(axis)]; });
    Moments left, right = all;
    int best = box.Begin + 1;
    double bestError = -1, bestLeft = 0, bestRight = 0;
    for (int i = box.Begin; i + 1 < box.End; ++i) {
        left.Add(cells[std::size_t(i)]);
        right.Add(cells[std::size_t(i)], -1);
        const double l = left.Error(), r = right.Error();
        if (bestError < 0 || l + r < bestError) {
            bestError = l + r;
            best = i + 1;
            bestLeft = l;
            bestRight = r;
        }
    }
    return {Box{box.Begin, best, bestLeft}, Box{best, box.End, bestRight}};
}

std::vector<std::array<double, 3>> MedianCut(std::vector<Cell>& cells, int maxColours) {
    std::vector<Box> boxes{Box{0, int(cells.size()), MomentsOf(cells, 0, int(cells.size())).Error()}};
    while (int(boxes.size()) < maxColours) {
        auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return (a.End - a.Begin > 1 ? a.Error : -1) < (b.End - b.Begin > 1 ? b.Error : -1);
        });
        if (worst->End - worst->Begin < 2 || worst->Error <= 0)
            break;
        const auto halves = Split(cells, *worst);
        *worst = halves.first;
        boxes.push_back(halves.second);
    }
    std::vector<std::array<double, 3>> means;
    for (const Box& b : boxes) {
        const Moments m = MomentsOf(cells, b.Begin, b.End);
        means.push_back({m.Sum[0] / m.Count, m.Sum[1] / m.Count, m.Sum[2] / m.Count});
    }
    return means;
}

// The nearest palette colour, searching outward from the nearest green (the palette is sorted by
// green) and stopping once green alone is further than the best found.
class NearestColour {
public:
    explicit NearestColour(const std::vector<std::array<double, 3>>& palette) : FPalette(palette) {
        for (int i = 0; i < int(palette.size()); ++i)
            FByGreen.push_back(i);
        std::sort(FByGreen.begin(), FByGreen.end(),
                  [&](int a, int b) { return palette[std::size_t(a)][1] < palette[std::size_t(b)][1]; });
    }

    int operator()(const std::array<double, 3>& c) const {
        const auto start = std::lower_bound(FByGreen.begin(), FByGreen.end(), c[1],
                                            [&](int i, double g) { return FPalette[std::size_t(i)][1] < g; });
        int best = FByGreen.front();
        double bestDistance = Distance(c, FPalette[std::size_t(best)]);
        const auto visit = [&](int i) {
            const double dg = FPalette[std::size_t(i)][1] - c[1];
            if (dg * dg >= bestDistance)
                return false;
            const double d = Distance(c, FPalette[std::size_t(i)]);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
            return true;
        };
        for (auto up = start; up != FByGreen.end() && visit(*up); ++up) {
        }
        for (auto down = start; down != FByGreen.begin() && visit(*(down - 1)); --down) {
        }
        return best;
    }

private:
    const std::vector<std::array<double, 3>>& FPalette;
    std::vector<int> FByGreen;
};

void Refine(const std::vector<Cell>& cells, std::vector<std::array<double, 3>>& palette) {
    for (int round = 0; round < kRefinements; ++round) {
        std::vector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
        const NearestColour nearest(palette);
        for (const Cell& c : cells) {
            auto& s = sums[std::size_t(nearest(c.Mean))];
            for (std::size_t i = 0; i < 3; ++i)
                s[i] += c.Mean[i] * c.Count;
            s[3] += c.Count;
        }
        for (std::size_t p = 0; p < palette.size(); ++p)
            if (sums[p][3] > 0)
                palette[p] = {sums[p][0] / sums[p][3], sums[p][1] / sums[p][3], sums[p][2] / sums[p][3]};
    }
}
}  // namespace

void TColourQuantizer::Quantize(const QImage& image, int maxColours, std::vector<std::uint32_t>& palette,
                                std::vector<std::uint8_t>& indices) {
    std::vector<Cell> cells = Histogram(image);
    palette.clear();
    indices.assign(std::size_t(image.width()) * std::size_t(image.height()), 0);
    if (cells.empty()) {
        palette.push_back(0);
        return;
    }
    std::vector<std::array<double, 3>> means = MedianCut(cells, std::clamp(maxColours, 1, 256));
    Refine(cells, means);
    for (auto& m : means) {
        for (double& v : m)
            v = std::clamp(double(int(v + 0.5)), 0.0, 255.0);
        palette.push_back(std::uint32_t(m[0]) << 16 | std::uint32_t(m[1]) << 8 | std::uint32_t(m[2]));
    }
    const NearestColour nearest(means);
    std::unordered_map<std::uint32_t, std::uint8_t> known;
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++i) {
            const std::uint32_t p = row[x] & 0xFFFFFF;
            auto it = known.find(p);
            if (it == known.end())
                it = known.emplace(p, std::uint8_t(nearest(Channels(p)))).first;
            indices[i] = it->second;
        }
    }
}

}  // namespace Tallwick
