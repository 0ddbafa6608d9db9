// Any text as a window id: either a number that reads back the same, or the conversion error.
#include <Tallwick/Exception.h>
#include <Tallwick/StrToInt.h>

#include <cstdint>
#include <cstdlib>

using namespace Tallwick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const int value = StrToInt(text);
        if (StrToInt(QString::number(value)) != value)
            std::abort();
    } catch (const EConvertError& error) {
        if (!error.Message.endsWith(QStringLiteral("' is not a valid integer value")))
            std::abort();
    }
    return 0;
}
