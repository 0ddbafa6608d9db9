#pragma once
// Reduces a picture of many colours to a palette of at most 256, for the writers of palette
// formats: the colour space is cut into boxes, each time splitting the box whose colours stray
// furthest from their mean at the place that leaves the least error, and the box means are then
// refined by a few rounds of k-means. No dithering: each pixel takes its nearest palette colour.
#include <QImage>
#include <cstdint>
#include <vector>

namespace Tallwick {

class TColourQuantizer {
public:
    // `palette` gets at most maxColours (1 to 256) colours as 0x00RRGGBB, `indices` one entry per
    // pixel of the RGB32 picture, row by row.
    static void Quantize(const QImage& image, int maxColours, std::vector<std::uint32_t>& palette,
                         std::vector<std::uint8_t>& indices);
};

}  // namespace Tallwick
