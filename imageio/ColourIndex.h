#pragma once
// The colours of a picture as a palette and one index per pixel, for the writers of palette
// formats (GIF, PCX).
#include <QImage>
#include <cstdint>
#include <vector>

namespace Tallwick {

// For an RGB32 picture with at most 256 colours: `colours` gets them as 0x00RRGGBB in order of
// first appearance and `indices` one entry per pixel, row by row; true. False as soon as a 257th
// colour turns up (the vectors then hold a partial result).
bool IndexColours(const QImage& image, std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices);

}  // namespace Tallwick
