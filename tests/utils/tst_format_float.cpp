// Tests of number formatting with format pictures, as axis and scale labels use it.
#include <Tallwick/FormatFloat.h>

#include <QLocale>
#include <QTest>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace Tallwick;

class TestFormatFloat : public QObject {
    Q_OBJECT
private slots:
    void pictures_data();
    void pictures();
    void generalFormat_data();
    void generalFormat();
    void localeSeparators_data();
    void localeSeparators();
    void userLocaleIsTheDefault();
    void outputGrowsOnlyWithPictureAndDigits();
};

namespace {
const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// "1" followed by `zeros` zeros, grouped in threes, then ".00".
QString GroupedPowerOfTen(int zeros) {
    QString digits = QStringLiteral("1") + QString(zeros, u'0');
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits + QStringLiteral(".00");
}
}  // namespace

void TestFormatFloat::pictures_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, const char* format, double value, const QString& expected) {
        QTest::newRow(name) << QString::fromUtf8(format) << value << expected;
    };
    // Digit places and rounding half away from zero.
    row("zero", "0", 0, "0");
    row("1.5 up", "0", 1.5, "2");
    row("2.5 away, not to even", "0", 2.5, "3");
    row("-2.5 away from zero", "0", -2.5, "-3");
    row("0.5 with #", "#", 0.5, "1");
    // 2.675 is 2.67499999999999982... in binary; taken to 15 digits it is 2.67500000000000,
    // whose half rounds up.
    row("2.675 decimal half", "0.00", 2.675, "2.68");
    row("1.005 decimal half", "0.00", 1.005, "1.01");
    row("0.125 exact half", "0.00", 0.125, "0.13");
    row("half below the first digit", "0.00", 0.005, "0.01");
    row("-0.005 rounds away", "0.00", -0.005, "-0.01");
    // Negative zero and values rounding to zero never show a minus.
    row("-0.004 rounds to zero", "0.00", -0.004, "0.00");
    row("negative zero", "0.00", -0.0, "0.00");
    row("-0.0049 grouped", "#,##0.00", -0.0049, "0.00");
    row("tiny value", "0.000", 1e-10, "0.000");
    // Optional places: "#" shows only significant digits; no point without fraction digits.
    row("# of zero is empty", "#", 0, "");
    row("#.## of 0.5", "#.##", 0.5, ".5");
    row("0.## of 1", "0.##", 1, "1");
    row("0.## of 1.10", "0.##", 1.10, "1.1");
    row("0.0# of 1.234", "0.0#", 1.234, "1.23");
    row("leading zeros", "00000", 42, "00042");
    row("both sides padded", "000.000", 3.14159, "003.142");
    row("digits beyond the places", "0", 123456, "123456");
    row("literal between places", "00-00", 123456, "1234-56");
    // 15 significant digits: 0.1 shows no binary noise even with 18 places.
    row("0.1 to 18 places", "0.000000000000000000", 0.1, "0.100000000000000000");
    row("1e16 fixed", "0.00", 1e16, "10000000000000000.00");
    // Grouping.
    row("grouping", "#,##0.00", 1234567.891, "1,234,567.89");
    row("carry across a group", "#,##0.00", 999.995, "1,000.00");
    row("grouped zero", "#,##0", 0, "0");
    row("grouped negative", "#,##0", -1234, "-1,234");
    row("comma first", ",0.000", 1234.5, "1,234.500");
    row("four places one comma", "#,###", 1000, "1,000");
    row("grouping then text", "#,##0 'units'", 1000000, "1,000,000 units");
    row("comma after the point ignored", "0.0,0", 1.25, "1.25");
    // 1e308 has 309 integer digits: 103 groups.
    row("1e308 grouped", "#,##0.00", 1e308, GroupedPowerOfTen(308));
    // DBL_MAX = 1.7976931348623157e308: 15 digits 179769313486232 then 294 zeros (98 groups).
    row("DBL_MAX grouped", "#,##0.00", DBL_MAX,
        QStringLiteral("179,769,313,486,232") + QStringLiteral(",000").repeated(98) + ".00");
    // Literal text.
    row("quoted prefix", "'$'#,##0.00", 1234.5, "$1,234.50");
    row("minus before the prefix", "'$'#,##0.00", -1234.5, "-$1,234.50");
    row("double quotes", "\"Total: \"0", 7, "Total: 7");
    row("quoted suffix", "0 'kg'", 5, "5 kg");
    row("percent is plain text", "0%", 45, "45%");
    row("semicolon inside quotes", "0 'a;b'", 1, "1 a;b");
    row("unclosed quote runs to the end", "0 'abc", 2, "2 abc");
    row("E without sign is text", "E0", 3, "E3");
    // Sections.
    // 12.345 is 12.3449999... in binary, 12.3450000000000 in 15 digits: up to 12.35.
    row("negative section", "0.00;(0.00)", -12.345, "(12.35)");
    row("positive with negative section", "0.00;(0.00)", 12.345, "12.35");
    row("zero section", "0.00;(0.00);'zero'", 0, "zero");
    row("rounds to zero uses zero section", "0.00;(0.00);'zero'", -0.001, "zero");
    row("positive rounding to zero too", "0.0;-0.0;'nil'", 0.01, "nil");
    row("empty negative section", "0.00;;'zero'", -3, "-3.00");
    row("empty zero section", "0.00;(0.00);", 0, "0.00");
    row("rounds to zero without zero section", "0.00;(0.00)", -0.001, "0.00");
    row("fourth section ignored", "0;(0);'z';'never'", 0, "z");
    // Exponents: mantissa integer digits = "0" integer places (at least one).
    row("E+ positive", "0.00E+00", 1234.5, "1.23E+03");
    row("E+ negative exponent", "0.00E+00", 0.00012345, "1.23E-04");
    row("E- hides plus", "0.00E-00", 1234.5, "1.23E03");
    row("lower case e", "0.00e+00", -1234.5, "-1.23e+03");
    // 9.96 to one decimal is 10.0, which renormalises to 1.0E+1.
    row("carry bumps exponent", "0.0E+0", 9.96, "1.0E+1");
    row("zero in exponent form", "0.00E+00", 0, "0.00E+00");
    row("four exponent digits", "0.00E+0000", 1e-300, "1.00E-0300");
    row("exponent wider than picture", "0.0E+0", 1.5e308, "1.5E+308");
    row("optional places one digit", "##0.0E+0", 1234.5, "1.2E+3");
    row("two mantissa digits", "00.0E-0", 1234.5, "12.3E2");
    row("no integer places", ".00E+0", 1234.5, ".12E+4");
    row("text after exponent", "0.0E+00 m", 1500, "1.5E+03 m");
    // Not finite, whatever the picture.
    row("nan", "0.00", kNan, "NAN");
    row("infinity", "#,##0", kInf, "INF");
    row("minus infinity", "0.00;(0.00)", -kInf, "-INF");
}

void TestFormatFloat::pictures() {
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(format, value, TFormatSettings()), expected);
}

void TestFormatFloat::generalFormat_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("1.5") << 1.5 << "1.5";
    QTest::newRow("-2.5") << -2.5 << "-2.5";
    QTest::newRow("integer") << 1234567.0 << "1234567";
    // 0.1 + 0.2 is 0.30000000000000004; 15 digits give 0.300000000000000.
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("15 digits fixed") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1e15 scientific") << 1e15 << "1E15";
    QTest::newRow("0.0001 fixed") << 0.0001 << "0.0001";
    QTest::newRow("1e-5 scientific") << 1e-5 << "1E-5";
    QTest::newRow("negative small scientific") << -1.25e-7 << "-1.25E-7";
    QTest::newRow("huge") << 1.5e300 << "1.5E300";
    QTest::newRow("nan") << kNan << "NAN";
}

void TestFormatFloat::generalFormat() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(QString(), value, TFormatSettings()), expected);
}

void TestFormatFloat::localeSeparators_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    // es_ES: "," decimal, "." grouping; the picture keeps "." and ",".
    QTest::newRow("es_ES grouped") << "es_ES"
                                   << "#,##0.00" << 1234567.891 << "1.234.567,89";
    QTest::newRow("es_ES exponent") << "es_ES"
                                    << "0.00E+00" << 1234.5 << "1,23E+03";
    QTest::newRow("es_ES general") << "es_ES"
                                   << "" << 2.5 << "2,5";
    QTest::newRow("es_ES no fraction, no separator") << "es_ES"
                                                     << "0.##" << 3.0 << "3";
    QTest::newRow("en_US") << "en_US"
                           << "#,##0.0" << 12345.25 << "12,345.3";
}

void TestFormatFloat::localeSeparators() {
    QFETCH(QString, locale);
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(format, value, TFormatSettings::FromLocale(QLocale(locale))), expected);
}

void TestFormatFloat::userLocaleIsTheDefault() {
    const QLocale saved;
    QLocale::setDefault(QLocale(QStringLiteral("es_ES")));
    const QString spanish = FormatFloat(QStringLiteral("#,##0.00"), 1234.5);
    QLocale::setDefault(QLocale::c());
    const QString c = FormatFloat(QStringLiteral("#,##0.00"), 1234.5);
    QLocale::setDefault(saved);
    QCOMPARE(spanish, QStringLiteral("1.234,50"));
    QCOMPARE(c, QStringLiteral("1,234.50"));
}

// The largest double with a long picture: 309 integer digits, 102 separators, the point and
// exactly the 100000 fraction places asked for, each a zero beyond the 15th significant digit.
void TestFormatFloat::outputGrowsOnlyWithPictureAndDigits() {
    const QString text = FormatFloat(QStringLiteral("#,##0.") + QString(100000, u'0'), DBL_MAX, TFormatSettings());
    QCOMPARE(text.size(), qsizetype(309 + 102 + 1 + 100000));
    QVERIFY(text.startsWith(QStringLiteral("179,769,313,486,232,000,")));
    QCOMPARE(text.count(u'0'), qsizetype(294 + 100000));
}

QTEST_APPLESS_MAIN(TestFormatFloat)
#include "tst_format_float.moc"
