#pragma once
// Lines of text with their graded shadow, composed once: copy i of depth + 1 is every line moved
// i pixels left and i down, in BlendColor(back, front, i, depth), each copy over the earlier ones
// (copy i of every line before copy i + 1 of any, so a deep trail of one line may cover another
// line's earlier copies). The composition keeps, for every pixel, the colour of the last copy that
// covers it, as stretches of covered pixels ready to be copied, so drawing the whole shadow costs
// about as much as drawing the text once and gives the same pixels as drawing the copies one by one.
#include <Tallwick/Color.h>
#include "SpanPainter.h"

#include <cstdint>
#include <vector>

namespace Tallwick {

class TTextMask;

class TShadowText {
public:
    // A line of text: its mask, centred on (dx, dy) from the point the shadow is drawn at, with dy
    // the top of its cell (as TextOut with TA_CENTER | TA_TOP places it).
    struct Line {
        const TTextMask* mask;
        int dx, dy;
    };

    // Composes the copies of the lines, drawn in the order given within each copy. Call again
    // whenever a mask, an offset, the depth or the colours change.
    void Build(const std::vector<Line>& lines, int depth, TColor back, TColor front);
    // One line at the drawing point.
    void Build(const TTextMask& mask, int depth, TColor back, TColor front) {
        Build({Line{&mask, 0, 0}}, depth, back, front);
    }
    bool BuiltFor(int depth, TColor back, TColor front) const {
        return FBuilt && depth == FDepth && back == FBack && front == FFront;
    }
    void Invalidate() { FBuilt = false; }

    // Draws as TextOut with TA_CENTER | TA_TOP and a transparent background would draw copy i of
    // each line at (x + dx - i, y + dy + i) for every i from 0 to depth.
    void Draw(TSpanPainter& painter, int x, int y) const;

private:
    // Covered pixels x0..x1 (inclusive) of one row, relative to the drawing point; their colours
    // are FPixels[first] onward.
    struct Stretch {
        int y, x0, x1, first;
    };

    bool FBuilt = false;
    int FDepth = 0;
    TColor FBack = 0, FFront = 0;
    std::vector<std::uint32_t> FPixels;
    std::vector<Stretch> FStretches;
};

}  // namespace Tallwick
