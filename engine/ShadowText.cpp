// Lines of text with their graded shadow, composed once.
#include "ShadowText.h"

#include <Tallwick/TextMask.h>
#include <Tallwick/Vexutils.h>

#include <algorithm>
#include <climits>

namespace Tallwick {

void TShadowText::Build(const std::vector<Line>& lines, int depth, TColor back, TColor front) {
    FBuilt = true;
    FDepth = depth;
    FBack = back;
    FFront = front;
    FStretches.clear();
    FPixels.clear();
    std::vector<std::uint32_t> colours;
    for (int i = 0; i <= depth; ++i)
        colours.push_back(ColorToQRgb(BlendColor(back, front, i, depth)) | 0xFF000000u);
    if (depth < 0)
        return;

    // Copy 0 of every line, relative to the drawing point.
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const Line& line : lines) {
        const int left = line.dx - line.mask->Width() / 2;
        for (const TTextMask::Span& s : line.mask->Spans()) {
            minX = std::min(minX, left + s.x0);
            maxX = std::max(maxX, left + s.x1);
            minY = std::min(minY, line.dy + s.y);
            maxY = std::max(maxY, line.dy + s.y);
        }
    }
    if (minX > maxX)
        return;  // nothing covered
    // Which copy is on top at each pixel of the area all copies cover (-1: none).
    const int left = minX - depth, top = minY;
    const int width = maxX - minX + 1 + depth, height = maxY - minY + 1 + depth;
    std::vector<int> onTop(std::size_t(width) * std::size_t(height), -1);
    for (int i = 0; i <= depth; ++i)
        for (const Line& line : lines) {
            const int lineLeft = line.dx - line.mask->Width() / 2;
            for (const TTextMask::Span& s : line.mask->Spans()) {
                int* row = onTop.data() + std::size_t(line.dy + s.y + i - top) * std::size_t(width);
                std::fill(row + (lineLeft + s.x0 - i - left), row + (lineLeft + s.x1 - i - left) + 1, i);
            }
        }
    for (int y = 0; y < height; ++y) {
        const int* row = onTop.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width;) {
            if (row[x] < 0) {
                ++x;
                continue;
            }
            const int first = static_cast<int>(FPixels.size());
            int end = x;
            for (; end < width && row[end] >= 0; ++end)
                FPixels.push_back(colours[row[end]]);
            FStretches.push_back({y + top, x + left, end - 1 + left, first});
            x = end;
        }
    }
}

void TShadowText::Draw(TSpanPainter& painter, int x, int y) const {
    const std::uint32_t* colours = FPixels.data();
    for (const Stretch& s : FStretches) {
        const int x0 = x + s.x0, x1 = x + s.x1;
        if (std::uint32_t* row = painter.RowIfInside(y + s.y, x0, x1)) {
            std::copy(colours + s.first, colours + s.first + (x1 - x0 + 1), row + x0);
            continue;
        }
        for (int i = x0; i <= x1; ++i)  // partly outside: pixel by pixel, clipped
            painter.Fill(y + s.y, i, i, colours[s.first + (i - x0)]);
    }
}

}  // namespace Tallwick
