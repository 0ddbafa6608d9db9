#pragma once
// Turns a 32-bit picture about its centre. Quarter turns move pixels exactly; other angles give a
// picture just large enough for the turned one, its uncovered corners in the background colour,
// sampled bilinearly (or from the nearest pixel) with the edges blended into the background.
#include <QImage>
#include <cstdint>

namespace Tallwick {

class TBitmapRotator {
public:
    // angle in degrees, positive counter-clockwise on the screen, taken modulo 360; background as
    // 0xFFRRGGBB.
    // EOutOfMemory when the enlarged picture would exceed the picture bound.
    static QImage Rotate(const QImage& source, double angle, bool interpolate, std::uint32_t background);

    // The turn as a number of quarter turns (0 to 3) when angle is one within 1e-9 degrees, else -1.
    static int QuarterTurns(double angle);
};

}  // namespace Tallwick
