#pragma once
// The framework's text-to-integer conversion and its error.
#include <Tallwick/TallwickExport.h>
#include <QString>

namespace Tallwick {

/// The framework's text-to-integer conversion.
///
/// Accepted: optional leading spaces, an optional sign, then either decimal digits or a hexadecimal
/// number introduced by "$", "0x" or "0X". Nothing may follow the digits, not even a blank.
/// Decimal values must lie in the 32-bit signed range. Hexadecimal numbers denote a 32-bit pattern,
/// as in the framework: "$FFFFFFFF" is -1 and "0x80000000" is INT_MIN; more than 32 bits overflow.
/// Anything else (empty text, blanks only, stray characters, overflow) raises EConvertError with
/// the message "'<text>' is not a valid integer value", quoting the text exactly as given.
TALLWICK_EXPORT int StrToInt(const QString& text);

}  // namespace Tallwick
