#pragma once
// Bounds every reader applies to the dimensions a file claims before it allocates anything, so
// that a hostile header can neither exhaust memory nor make decoding run for long.
#include <QImage>
#include <QString>
#include <cstdint>

namespace Tallwick {

class TPictureLimits {
public:
    // No picture may exceed 2^27 pixels (512 MiB as 32-bit pixels): 11585 x 11585, or a
    // 30000 x 4473 panorama. Larger files are refused rather than risking an allocation the
    // system could not back.
#ifndef SKYGLOW_FUZZ_BUILD
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 27;
#else
    // Fuzz builds stop at 2^18 pixels (512 x 512), so that an execution costs what decoding a
    // header costs rather than clearing hundreds of megabytes; the checks are the same.
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 18;
#endif
    // Beyond the ratio of its format, a file of any size may describe this many pixels.
    static constexpr std::int64_t kSmallPictureSlack = 1 << 16;

    // True when width x height is positive, within kMaxPixels and within what fileSize bytes of
    // a format packing at most pixelsPerByte pixels into one byte could hold.
    static bool Acceptable(std::int64_t width, std::int64_t height, std::int64_t fileSize, std::int64_t pixelsPerByte);

    // A Format_RGB32 image of that size, or an EOutOfMemory naming the size.
    static QImage NewImage(int width, int height);
};

}  // namespace Tallwick
