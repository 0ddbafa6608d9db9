#pragma once
// A line of text with its graded shadow, composed once: copy i of depth + 1 is the text mask moved
// i pixels left and i down, in BlendColor(back, front, i, depth), each copy over the earlier ones.
// The composition keeps, for every pixel, the colour of the last copy that covers it, as stretches
// of covered pixels ready to be copied, so drawing the whole shadow costs about as much as drawing
// the text once and gives the same pixels as drawing the copies one by one.
#include "Color.h"
#include "SpanPainter.h"

#include <cstdint>
#include <vector>

class TTextMask;

class TShadowText {
public:
    // Composes the copies of `mask`. Call again whenever the mask, depth or colours change.
    void Build(const TTextMask& mask, int depth, TColor back, TColor front);
    bool BuiltFor(int depth, TColor back, TColor front) const {
        return FBuilt && depth == FDepth && back == FBack && front == FFront;
    }
    void Invalidate() { FBuilt = false; }

    // Draws as TextOut with TA_CENTER | TA_TOP and a transparent background would draw copy i at
    // (x - i, y + i) for every i from 0 to depth.
    void Draw(TSpanPainter& painter, int x, int y) const;

private:
    // Covered pixels x0..x1 (inclusive) of one row, relative to copy 0's text cell; their colours
    // are FPixels[first] onward.
    struct Stretch {
        int y, x0, x1, first;
    };

    bool FBuilt = false;
    int FDepth = 0;
    TColor FBack = 0, FFront = 0;
    int FWidth = 0;  // advance width of the text
    std::vector<std::uint32_t> FPixels;
    std::vector<Stretch> FStretches;
};
