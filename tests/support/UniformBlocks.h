#pragma once
// How sharp a shot of the saver is at a pixel ratio of 2.
#include <QImage>

// Of the aligned 2 x 2 blocks holding any pixel other than `background`, the share whose four
// pixels are alike. A picture enlarged twice by Qt or the compositor has only such blocks.
inline double UniformBlocks(const QImage& image, QRgb background) {
    int blocks = 0, uniform = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y), c = image.pixel(x, y + 1),
                       d = image.pixel(x + 1, y + 1);
            if (a == background && b == background && c == background && d == background)
                continue;
            ++blocks;
            uniform += a == b && a == c && a == d;
        }
    return blocks ? double(uniform) / blocks : 1;
}
