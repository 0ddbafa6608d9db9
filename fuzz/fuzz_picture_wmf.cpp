// The WMF reader on arbitrary bytes: it may refuse them with one of our exceptions, but must not
// crash, read outside the input (pictures kept to 256 pixels a side for speed), allocate beyond the picture bound or run for long.
#include <Tallwick/Exception.h>
#include "WmfPlayer.h"
#include "FuzzPlatform.h"

#include <cstdint>

using namespace Tallwick;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) { return StartFuzzPlatform(argc, argv); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const QImage image = TWmfPlayer::Render(data, std::int64_t(size), 256);
        if (image.isNull() || image.format() != QImage::Format_RGB32)
            __builtin_trap();  // success must always deliver a 32-bit picture
    } catch (const Exception&) {
    }
    return 0;
}
