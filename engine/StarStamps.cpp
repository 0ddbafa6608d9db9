// The pixels a star covers for each size, learnt once from DrawDot itself so that stamping a star
// gives exactly the pixels DrawDot would, without scan-converting a disc for every star of every
// frame.
#include "StarStamps.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/Vexutils.h>

#include <algorithm>
#include <cstdlib>

namespace Tallwick {

void TStarStamps::Prepare(int maxSize) {
    if (maxSize < 1)
        maxSize = 1;
    if (maxSize == MaxSize())
        return;
    FSpans.clear();
    FFirst.assign(1, 0);
    FReach.clear();
    for (int size = 0; size <= maxSize; ++size) {
        Learn(size);
        FFirst.push_back(static_cast<int>(FSpans.size()));
        int reach = 0;
        for (int s = FFirst[size]; s < FFirst[size + 1]; ++s)
            reach = std::max({reach, std::abs(FSpans[s].dy), std::abs(FSpans[s].dx0), std::abs(FSpans[s].dx1)});
        FReach.push_back(reach);
    }
}

// Draws the dot black on white with a margin around it and reads back which pixels it took.
void TStarStamps::Learn(int size) {
    const int margin = 2, centre = size / 2 + margin;
    TBitmap scratch;
    scratch.SetSize(size + 2 * margin, size + 2 * margin);
    DrawDot(scratch.Canvas(), centre, centre, size, clBlack);
    for (int y = 0; y < scratch.Height(); ++y) {
        const std::uint32_t* row = scratch.ScanLine(y);
        for (int x = 0; x < scratch.Width(); ++x) {
            if ((row[x] & 0xFFFFFFu) != 0)
                continue;
            const int dy = y - centre, dx = x - centre;
            if (!FSpans.empty() && FSpans.size() > std::size_t(FFirst.back()) && FSpans.back().dy == dy &&
                FSpans.back().dx1 == dx - 1)
                FSpans.back().dx1 = dx;
            else
                FSpans.push_back({dy, dx, dx});
        }
    }
}

}  // namespace Tallwick
