// The framework's text-to-integer conversion.
#include "StrToInt.h"

#include "Exception.h"

#include <cstdint>
#include <optional>

namespace Tallwick {

namespace {

int DigitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int value = 99;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// Reads digits from pos to the end of text; empty when a character is no digit or the value
// exceeds limit.
std::optional<std::uint64_t> ParseDigits(const QString& text, qsizetype pos, int base, std::uint64_t limit) {
    if (pos >= text.size())
        return std::nullopt;
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// Index after a hexadecimal prefix at pos, or pos itself when there is none.
qsizetype SkipHexPrefix(const QString& text, qsizetype pos) {
    if (pos < text.size() && text[pos] == u'$')
        return pos + 1;
    if (pos + 1 < text.size() && text[pos] == u'0' && (text[pos + 1] == u'x' || text[pos + 1] == u'X'))
        return pos + 2;
    return pos;
}

[[noreturn]] void RaiseNotAnInteger(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

}  // namespace

int StrToInt(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';

    const qsizetype digitsStart = SkipHexPrefix(text, pos);
    const bool hex = digitsStart != pos;
    // Decimal: up to 2^31 so that "-2147483648" fits; hexadecimal: any 32-bit pattern.
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : 0x80000000ull;
    const std::optional<std::uint64_t> magnitude = ParseDigits(text, digitsStart, hex ? 16 : 10, limit);
    if (!magnitude || (!hex && !negative && *magnitude > 0x7FFFFFFFull))
        RaiseNotAnInteger(text);

    const auto pattern = static_cast<std::uint32_t>(negative ? 0u - *magnitude : *magnitude);
    return static_cast<std::int32_t>(pattern);
}

}  // namespace Tallwick
