#pragma once
// The pixels a star covers for each size, learnt once from DrawDot itself so that stamping a star
// gives exactly the pixels DrawDot would, without scan-converting a disc for every star of every
// frame.
#include "SpanPainter.h"

#include <cstdint>
#include <vector>

namespace Tallwick {

class TStarStamps {
public:
    // Learns every size from 0 to maxSize (nothing to do when that is what it holds).
    void Prepare(int maxSize);
    int MaxSize() const { return static_cast<int>(FFirst.size()) - 2; }

    // A star of `size` (0 to MaxSize(); below 2 a single pixel) centred on (x, y).
    void Draw(TSpanPainter& painter, int x, int y, int size, std::uint32_t pixel) const {
        const int index = size < 0 ? 0 : size;
        const Span* first = FSpans.data() + FFirst[index];
        const Span* end = FSpans.data() + FFirst[index + 1];
        const int reach = FReach[index];
        if (painter.Contains(x - reach, y - reach, x + reach, y + reach)) {  // most stars
            for (const Span* s = first; s < end; ++s) {
                std::uint32_t* row = painter.Row(y + s->dy);
                for (int px = x + s->dx0; px <= x + s->dx1; ++px)
                    row[px] = pixel;
            }
            return;
        }
        for (const Span* s = first; s < end; ++s)
            painter.Fill(y + s->dy, x + s->dx0, x + s->dx1, pixel);
    }

private:
    struct Span {
        int dy, dx0, dx1;  // relative to the star's own pixel; dx1 inclusive
    };
    void Learn(int size);

    std::vector<Span> FSpans;
    std::vector<int> FFirst;  // spans of size s: FFirst[s] up to FFirst[s + 1]
    std::vector<int> FReach;  // farthest any pixel of size s lies from the star's own, per axis
};

}  // namespace Tallwick
