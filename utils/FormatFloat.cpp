// Number formatting with format pictures, as used for axis and scale labels ("#,##0.00", ",0.000",
// "0.0E+00", "0.00;(0.00);'zero'").
#include "FormatFloat.h"

#include <QList>
#include <QStringView>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Tallwick {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kMaxExponentDigits = 4;

// A non-negative value as 0.Digits x 10^Point; Digits holds no leading zero unless the value is 0.
struct TDecimal {
    std::string Digits;
    int Point = 0;

    bool IsZero() const { return Digits.find_first_not_of('0') == std::string::npos; }
    // The digit at `index` counted from the first digit after "0." (zeros outside the string).
    char DigitAt(int index) const {
        return index >= 0 && index < int(Digits.size()) ? Digits[std::size_t(index)] : '0';
    }
};

TDecimal ToDecimal(double magnitude) {
    TDecimal d;
    if (magnitude == 0)
        return d;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    // buffer: "d.dddddddddddddde[+-]xx"
    const char* e = buffer;
    for (; *e && *e != 'e'; ++e)
        if (*e >= '0' && *e <= '9')
            d.Digits += *e;
    d.Point = std::atoi(e + 1) + 1;
    return d;
}

// Keeps `fractionDigits` digits after the decimal point, rounding half away from zero.
void RoundFraction(TDecimal& d, int fractionDigits) {
    const long keep = long(d.Point) + fractionDigits;
    if (keep >= long(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[std::size_t(keep)] >= '5';
    d.Digits.resize(std::size_t(keep));
    if (!up)
        return;
    int i = int(keep) - 1;
    for (; i >= 0 && d.Digits[std::size_t(i)] == '9'; --i)
        d.Digits[std::size_t(i)] = '0';
    if (i >= 0) {
        ++d.Digits[std::size_t(i)];
    } else {
        d.Digits.insert(d.Digits.begin(), '1');
        ++d.Point;
    }
}

// ---- pictures ----

enum class TTokenKind { Literal, IntegerPlace, FractionPlace, Point, Exponent };

struct TToken {
    TTokenKind Kind;
    QString Text;  // Literal: the text; Exponent: "E" or "e"
};

struct TPicture {
    QList<TToken> Tokens;
    bool Grouping = false;
    int IntegerPlaces = 0;
    int MinIntegerDigits = 0;
    int FractionPlaces = 0;
    int MinFractionDigits = 0;
    bool HasExponent = false;
    bool ExponentPlus = false;
    int ExponentDigits = 0;
};

// Reads a quoted text starting at the quote `at`; returns the index after the closing quote.
qsizetype ReadQuoted(QStringView s, qsizetype at, QString& text) {
    const QChar quote = s[at];
    const qsizetype close = s.indexOf(quote, at + 1);
    const qsizetype end = close < 0 ? s.size() : close;
    text = s.mid(at + 1, end - at - 1).toString();
    return close < 0 ? s.size() : close + 1;
}

bool StartsExponent(QStringView s, qsizetype at) {
    return (s[at] == u'E' || s[at] == u'e') && at + 2 < s.size() && (s[at + 1] == u'+' || s[at + 1] == u'-') &&
           s[at + 2] == u'0';
}

void AddLiteral(TPicture& p, const QString& text) {
    if (text.isEmpty())
        return;
    if (!p.Tokens.isEmpty() && p.Tokens.back().Kind == TTokenKind::Literal)
        p.Tokens.back().Text += text;
    else
        p.Tokens.append({TTokenKind::Literal, text});
}

// Reads "E+00" at `at`; returns the index after its zeros.
qsizetype ReadExponent(TPicture& p, QStringView s, qsizetype at) {
    p.HasExponent = true;
    p.ExponentPlus = s[at + 1] == u'+';
    p.Tokens.append({TTokenKind::Exponent, QString(s[at])});
    qsizetype i = at + 2;
    int zeros = 0;
    for (; i < s.size() && s[i] == u'0'; ++i)
        ++zeros;
    p.ExponentDigits = std::min(zeros, kMaxExponentDigits);
    return i;
}

TPicture ParsePicture(QStringView s) {
    TPicture p;
    bool beforePoint = true;
    int firstIntegerZero = -1;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'\'' || c == u'"') {
            QString text;
            i = ReadQuoted(s, i, text);
            AddLiteral(p, text);
            continue;
        }
        if (p.HasExponent) {
            AddLiteral(p, QString(c));
        } else if (c == u'0' || c == u'#') {
            if (beforePoint) {
                if (c == u'0' && firstIntegerZero < 0)
                    firstIntegerZero = p.IntegerPlaces;
                ++p.IntegerPlaces;
                p.Tokens.append({TTokenKind::IntegerPlace, {}});
            } else {
                ++p.FractionPlaces;
                if (c == u'0')
                    p.MinFractionDigits = p.FractionPlaces;
                p.Tokens.append({TTokenKind::FractionPlace, {}});
            }
        } else if (c == u'.' && beforePoint) {
            beforePoint = false;
            p.Tokens.append({TTokenKind::Point, {}});
        } else if (c == u',') {
            p.Grouping = p.Grouping || beforePoint;
        } else if (StartsExponent(s, i)) {
            i = ReadExponent(p, s, i);
            continue;
        } else {
            AddLiteral(p, QString(c));
        }
        ++i;
    }
    p.MinIntegerDigits = firstIntegerZero < 0 ? 0 : p.IntegerPlaces - firstIntegerZero;
    return p;
}

// Splits at ";" outside quotes; at most three sections.
QList<QStringView> SplitSections(QStringView format) {
    QList<QStringView> sections;
    qsizetype start = 0;
    for (qsizetype i = 0; i < format.size() && sections.size() < 3; ++i) {
        const QChar c = format[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype close = format.indexOf(c, i + 1);
            i = close < 0 ? format.size() : close;
        } else if (c == u';') {
            sections.append(format.mid(start, i - start));
            start = i + 1;
        }
    }
    if (sections.size() < 3)
        sections.append(format.mid(start));
    return sections;
}

// ---- writing ----

// The digits of a formatted number before they are laid into the picture.
struct TLaidDigits {
    QString Integer;   // without leading zeros beyond the picture's minimum
    QString Fraction;  // trailing optional zeros already dropped
    int Exponent = 0;
    bool Zero = true;
};

TLaidDigits Digitise(const TPicture& p, double magnitude) {
    TDecimal d = ToDecimal(magnitude);
    TLaidDigits out;
    // Mantissa integer digits: one per "0" place, at least one when there is any place.
    const int mantissaDigits = p.IntegerPlaces == 0 ? 0 : std::max(1, p.MinIntegerDigits);
    if (p.HasExponent && !d.IsZero()) {
        out.Exponent = d.Point - mantissaDigits;
        d.Point = mantissaDigits;
    }
    RoundFraction(d, p.FractionPlaces);
    if (p.HasExponent && d.Point > mantissaDigits) {  // rounding carried into a new digit
        d.Point = mantissaDigits;
        ++out.Exponent;
    }
    out.Zero = d.IsZero();
    if (out.Zero)
        out.Exponent = 0;
    int first = 0;  // the first significant integer digit
    while (first < d.Point && d.DigitAt(first) == '0')
        ++first;
    for (int i = first; i < d.Point; ++i)
        out.Integer += QChar(d.DigitAt(i));
    if (out.Integer.size() < p.MinIntegerDigits)
        out.Integer.prepend(QString(p.MinIntegerDigits - out.Integer.size(), u'0'));
    for (int i = 0; i < p.FractionPlaces; ++i)
        out.Fraction += QChar(d.DigitAt(d.Point + i));
    qsizetype shown = out.Fraction.size();
    while (shown > p.MinFractionDigits && out.Fraction[shown - 1] == u'0')
        --shown;
    out.Fraction.truncate(shown);
    return out;
}

// Writes integer digits [from, to) of `digits` (indices from the left) with group separators.
void WriteIntegerDigits(QString& out, const QString& digits, qsizetype from, qsizetype to, bool grouping,
                        QChar separator) {
    for (qsizetype i = from; i < to; ++i) {
        out += digits[i];
        const qsizetype fromRight = digits.size() - 1 - i;
        if (grouping && fromRight > 0 && fromRight % 3 == 0)
            out += separator;
    }
}

QString WriteExponent(const TPicture& p, const QString& letter, int exponent) {
    QString text = letter;
    if (exponent < 0)
        text += u'-';
    else if (p.ExponentPlus)
        text += u'+';
    const QString digits = QString::number(std::abs(exponent));
    text += QString(std::max<qsizetype>(0, p.ExponentDigits - digits.size()), u'0') + digits;
    return text;
}

QString Lay(const TPicture& p, const TLaidDigits& d, const TFormatSettings& settings) {
    QString out;
    const qsizetype n = d.Integer.size();
    const bool integerAtPoint = p.IntegerPlaces == 0;
    int place = 0;
    for (const TToken& t : p.Tokens) {
        switch (t.Kind) {
        case TTokenKind::Literal: out += t.Text; break;
        case TTokenKind::IntegerPlace: {
            const int fromRight = p.IntegerPlaces - 1 - place;
            const qsizetype index = n - 1 - fromRight;
            if (place == 0)  // the leftmost place takes every digit beyond the picture
                WriteIntegerDigits(out, d.Integer, 0, std::max<qsizetype>(0, index + 1), p.Grouping,
                                   settings.ThousandSeparator);
            else if (index >= 0)
                WriteIntegerDigits(out, d.Integer, index, index + 1, p.Grouping, settings.ThousandSeparator);
            ++place;
            break;
        }
        case TTokenKind::Point:
            if (integerAtPoint)
                WriteIntegerDigits(out, d.Integer, 0, n, p.Grouping, settings.ThousandSeparator);
            if (!d.Fraction.isEmpty())
                out += settings.DecimalSeparator;
            place = 0;
            break;
        case TTokenKind::FractionPlace:
            if (place < d.Fraction.size())
                out += d.Fraction[place];
            ++place;
            break;
        case TTokenKind::Exponent: out += WriteExponent(p, t.Text, d.Exponent); break;
        }
    }
    return out;
}

// ---- general format ----

QString GeneralFormat(double value, const TFormatSettings& settings) {
    TDecimal d = ToDecimal(std::fabs(value));
    const auto last = d.Digits.find_last_not_of('0');
    if (last == std::string::npos)
        return QStringLiteral("0");
    d.Digits.resize(last + 1);
    const QString digits = QString::fromLatin1(d.Digits.data(), qsizetype(d.Digits.size()));
    QString out = value < 0 ? QStringLiteral("-") : QString();
    if (d.Point >= -3 && d.Point <= kSignificantDigits) {
        if (d.Point <= 0) {
            out += u'0' + QString(settings.DecimalSeparator) + QString(-d.Point, u'0') + digits;
        } else if (digits.size() <= d.Point) {
            out += digits + QString(d.Point - digits.size(), u'0');
        } else {
            out += digits.left(d.Point) + settings.DecimalSeparator + digits.mid(d.Point);
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1)
        out += settings.DecimalSeparator + digits.mid(1);
    return out + u'E' + QString::number(d.Point - 1);
}

QString Special(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

}  // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale) {
    TFormatSettings s;
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (!point.isEmpty())
        s.DecimalSeparator = point[0];
    if (!group.isEmpty())
        s.ThousandSeparator = group[0];
    return s;
}

QString FormatFloat(const QString& format, double value) {
    return FormatFloat(format, value, TFormatSettings::FromLocale());
}

QString FormatFloat(const QString& format, double value, const TFormatSettings& settings) {
    if (!std::isfinite(value))
        return Special(value);
    if (format.isEmpty())
        return GeneralFormat(value, settings);
    const QList<QStringView> sections = SplitSections(format);
    const QStringView positive = sections[0];
    const QStringView negative = sections.size() > 1 ? sections[1] : QStringView();
    const QStringView zero = sections.size() > 2 ? sections[2] : QStringView();
    const TPicture zeroPicture = ParsePicture(zero.isEmpty() ? positive : zero);

    if (value == 0)
        return Lay(zeroPicture, Digitise(zeroPicture, 0), settings);
    const bool useNegative = value < 0 && !negative.isEmpty();
    const TPicture picture = ParsePicture(useNegative ? negative : positive);
    const TLaidDigits digits = Digitise(picture, std::fabs(value));
    if (digits.Zero)  // rounds to zero: shown as zero, never as "-0.00"
        return Lay(zeroPicture, Digitise(zeroPicture, 0), settings);
    const QString text = Lay(picture, digits, settings);
    return value < 0 && !useNegative ? u'-' + text : text;
}

}  // namespace Tallwick
