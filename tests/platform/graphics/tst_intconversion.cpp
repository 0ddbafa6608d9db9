// Conversions to int that are defined for every input: truncation of doubles, saturation of
// 64-bit values.
#include <Tallwick/IntConversion.h>

#include <QtTest>
#include <climits>
#include <limits>

using namespace Tallwick;

class TestIntConversion : public QObject {
    Q_OBJECT
private slots:
    void truncToInt_data();
    void truncToInt();
    void saturateToInt_data();
    void saturateToInt();
};

void TestIntConversion::truncToInt_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("-0") << -0.0 << 0;
    QTest::newRow("0.99") << 0.99 << 0;
    QTest::newRow("-0.99") << -0.99 << 0;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-7.51") << -7.51 << -7;
    QTest::newRow("largest int") << 2147483647.0 << INT_MAX;
    QTest::newRow("largest int + 0.9") << 2147483647.9 << INT_MAX;
    QTest::newRow("smallest int") << -2147483648.0 << INT_MIN;
    QTest::newRow("smallest int - 0.9") << -2147483648.9 << INT_MIN;
    QTest::newRow("1e12") << 1e12 << INT_MAX;
    QTest::newRow("-1e12") << -1e12 << INT_MIN;
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << INT_MAX;
    QTest::newRow("infinity") << qInf() << INT_MAX;
    QTest::newRow("-infinity") << -qInf() << INT_MIN;
    QTest::newRow("NaN") << qQNaN() << 0;
    QTest::newRow("-NaN") << -qQNaN() << 0;
    QTest::newRow("tiny") << std::numeric_limits<double>::denorm_min() << 0;
}

void TestIntConversion::truncToInt() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(TruncToInt(value), expected);
}

void TestIntConversion::saturateToInt_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0") << qint64(0) << 0;
    QTest::newRow("-1") << qint64(-1) << -1;
    QTest::newRow("largest int") << qint64(INT_MAX) << INT_MAX;
    QTest::newRow("largest int + 1") << qint64(INT_MAX) + 1 << INT_MAX;
    QTest::newRow("smallest int") << qint64(INT_MIN) << INT_MIN;
    QTest::newRow("smallest int - 1") << qint64(INT_MIN) - 1 << INT_MIN;
    QTest::newRow("2^32 + 5 (wraps to 5 when narrowed)") << (qint64(1) << 32) + 5 << INT_MAX;
    QTest::newRow("largest 64-bit") << std::numeric_limits<qint64>::max() << INT_MAX;
    QTest::newRow("smallest 64-bit") << std::numeric_limits<qint64>::min() << INT_MIN;
}

void TestIntConversion::saturateToInt() {
    QFETCH(qint64, value);
    QFETCH(int, expected);
    QCOMPARE(SaturateToInt(value), expected);
}

QTEST_MAIN(TestIntConversion)
#include "tst_intconversion.moc"
