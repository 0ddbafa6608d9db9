#pragma once
/// \file
/// Number formatting with format pictures, as used for axis and scale labels ("#,##0.00",
/// ",0.000", "0.0E+00", "0.00;(0.00);'zero'").
///
/// A picture has up to three sections separated by ";": for positive values, for negative values
/// and for zero. An empty or missing negative section means the positive section with a leading
/// "-"; an empty or missing zero section means the positive section. Sections after the third are
/// ignored. A value that rounds to zero at the shown precision is formatted by the zero section
/// (or the positive one), so "-0.00" never appears.
///
/// Within a section:
///   "0"        a digit place that always shows a digit (leading/trailing zeros kept);
///   "#"        a digit place that shows a digit only when one is significant;
///   "."        the decimal point (the first one; later ones are plain text). It is written only
///              when at least one fraction digit is written ("0.##" gives "1" for 1);
///   ","        before the decimal point: turns on grouping of the integer digits in threes; the
///              comma itself writes nothing, wherever it stands. After the point it is ignored;
///   "E+", "E-", "e+", "e-" followed by "0"s: scientific notation. "+" writes the exponent's sign
///              always, "-" only when negative; the number of "0"s (at most 4 count) is the least
///              number of exponent digits. The mantissa has one integer digit for each "0"
///              integer place, and one when there are only "#" places: for 1234.5, "0.00E+00"
///              gives "1.23E+03", "##0.0E+0" gives "1.2E+3", "00.0E-0" gives "12.3E2" and
///              ".00E+0" gives ".12E+4". Everything after the exponent is plain text. An "E" not
///              followed by a sign and a "0" is plain text;
///   '...' "..." quoted text, copied without the quotes (an unclosed quote runs to the end);
///   anything else is copied as it stands.
/// Integer digits beyond the picture's places are written at the leftmost place. When the section
/// has no integer places the integer digits stand just before the decimal point.
///
/// The value is first taken to 15 significant decimal digits (what a double holds reliably, so
/// 2.675 counts as 2.675 and not as 2.67499999...), then rounded half away from zero at the last
/// shown digit. Output separators come from the settings; in the picture they are always "." and
/// ",". Grouping is always in threes.
///
/// An empty picture gives the general format: at most 15 significant digits, trailing zeros
/// dropped, fixed notation for magnitudes from 1E-4 up to below 1E15, otherwise scientific
/// notation as "1.5E20" or "1E-5" (no plus sign, no padded exponent); no grouping.
///
/// NaN gives "NAN", infinities "INF" and "-INF", whatever the picture.
///
/// Output length grows only with the picture and the value's integer digits (at most 309 plus
/// separators), so any double and any picture finish in bounded time and memory.
#include <Tallwick/TallwickExport.h>

#include <QChar>
#include <QLocale>
#include <QString>

namespace Tallwick {

struct TALLWICK_EXPORT TFormatSettings {
    QChar DecimalSeparator = '.';
    QChar ThousandSeparator = ',';
    /// The separators of `locale` (the user's locale by default). Locales with several-character
    /// separators use their first character; a locale with none keeps the defaults above.
    static TFormatSettings FromLocale(const QLocale& locale = QLocale());
};

/// Formats with the separators of QLocale() (the user's locale unless the program changed it).
TALLWICK_EXPORT QString FormatFloat(const QString& format, double value);
TALLWICK_EXPORT QString FormatFloat(const QString& format, double value, const TFormatSettings& settings);

}  // namespace Tallwick
