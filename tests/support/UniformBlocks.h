#pragma once
// How sharp a shot is at a pixel ratio of 2: the share of aligned 2 x 2 blocks that are uniform,
// which an enlarged picture has for all of its blocks.
#include <QHash>
#include <QImage>

#include <algorithm>

// The commonest colour of a shot: a component's face or a window's background, which a measure
// may leave out.
inline QRgb Commonest(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return best;
}

// Blocks counted by a measure, and how many of them are uniform; shots add up.
struct BlockCount {
    long long blocks = 0, uniform = 0;
    double Share() const { return blocks ? double(uniform) / blocks : 1; }
    BlockCount& operator+=(const BlockCount& o) {
        blocks += o.blocks;
        uniform += o.uniform;
        return *this;
    }
};

// The aligned 2 x 2 blocks holding any pixel other than `background`, and how many have four
// pixels alike. A picture enlarged twice by Qt or the compositor has only such blocks.
inline BlockCount BlocksBesides(const QImage& image, QRgb background) {
    BlockCount count;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y), c = image.pixel(x, y + 1),
                       d = image.pixel(x + 1, y + 1);
            if (a == background && b == background && c == background && d == background)
                continue;
            ++count.blocks;
            count.uniform += a == b && a == c && a == d;
        }
    return count;
}

inline double UniformBlocks(const QImage& image, QRgb background) { return BlocksBesides(image, background).Share(); }

// The blocks where the picture changes, each change counted once: a block counts when its pixels
// differ (a change inside it) or when a pixel of its right column or bottom row differs from its
// neighbour across that edge (a change on the block grid). Flat areas, of any size, count for
// nothing. An enlarged picture has only uniform ones; hard edges at random places give about one
// half, whatever lies between them; smooth shading and antialiased edges give fewer.
inline BlockCount ChangingBlocks(const QImage& image) {
    const int w = image.width() / 2 * 2, h = image.height() / 2 * 2;
    BlockCount count;
    for (int y = 0; y < h; y += 2)
        for (int x = 0; x < w; x += 2) {
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y), c = image.pixel(x, y + 1),
                       d = image.pixel(x + 1, y + 1);
            const bool alike = a == b && a == c && a == d;
            const bool rightEdge = x + 2 < w && (image.pixel(x + 2, y) != b || image.pixel(x + 2, y + 1) != d);
            const bool bottomEdge = y + 2 < h && (image.pixel(x, y + 2) != c || image.pixel(x + 1, y + 2) != d);
            if (alike && !rightEdge && !bottomEdge)
                continue;
            ++count.blocks;
            count.uniform += alike;
        }
    return count;
}

inline double UniformChangingBlocks(const QImage& image) { return ChangingBlocks(image).Share(); }

// The share over the blocks whose 4 x 4 neighbourhood (the block and the pixels round it) is not
// one colour. Simpler, but a change on the block grid counts twice (a block each side) and one
// inside a block once, so pictures of hard edges lean towards uniform.
inline double UniformNeighbourhoodBlocks(const QImage& image) {
    const int w = image.width() / 2 * 2, h = image.height() / 2 * 2;
    long long blocks = 0, uniform = 0;
    for (int y = 0; y < h; y += 2)
        for (int x = 0; x < w; x += 2) {
            const QRgb a = image.pixel(x, y);
            bool varied = false;
            for (int v = std::max(0, y - 1); v <= std::min(h - 1, y + 2) && !varied; ++v)
                for (int u = std::max(0, x - 1); u <= std::min(w - 1, x + 2) && !varied; ++u)
                    varied = image.pixel(u, v) != a;
            if (!varied)
                continue;
            ++blocks;
            uniform += a == image.pixel(x + 1, y) && a == image.pixel(x, y + 1) && a == image.pixel(x + 1, y + 1);
        }
    return blocks ? double(uniform) / blocks : 1;
}
