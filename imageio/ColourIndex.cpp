// The colours of a picture as a palette and one index per pixel, for the writers of palette formats
// (GIF, PCX).
#include "ColourIndex.h"

#include <unordered_map>

namespace Tallwick {

bool IndexColours(const QImage& image, std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices) {
    std::unordered_map<std::uint32_t, int> known;
    indices.resize(std::size_t(image.width()) * std::size_t(image.height()));
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = row[x] & 0xFFFFFF;
            auto it = known.find(p);
            if (it == known.end()) {
                if (known.size() == 256)
                    return false;
                it = known.emplace(p, int(colours.size())).first;
                colours.push_back(p);
            }
            indices[i++] = std::uint8_t(it->second);
        }
    }
    return true;
}

}  // namespace Tallwick
