#pragma once
// The pixels a star covers for each size, learnt once from DrawDot itself so that stamping a star
// gives exactly the pixels DrawDot would, without scan-converting a disc for every star of every
// frame.
#include "SpanPainter.h"

#include <cstdint>
#include <vector>

class TStarStamps {
public:
    // Learns every size from 0 to maxSize (nothing to do when that is what it holds).
    void Prepare(int maxSize);
    int MaxSize() const { return static_cast<int>(FFirst.size()) - 2; }

    // A star of `size` (0 to MaxSize(); below 2 a single pixel) centred on (x, y).
    void Draw(TSpanPainter& painter, int x, int y, int size, std::uint32_t pixel) const {
        const int index = size < 0 ? 0 : size;
        for (int s = FFirst[index]; s < FFirst[index + 1]; ++s)
            painter.Fill(y + FSpans[s].dy, x + FSpans[s].dx0, x + FSpans[s].dx1, pixel);
    }

private:
    struct Span {
        int dy, dx0, dx1;  // relative to the star's own pixel; dx1 inclusive
    };
    void Learn(int size);

    std::vector<Span> FSpans;
    std::vector<int> FFirst;  // spans of size s: FFirst[s] up to FFirst[s + 1]
};
