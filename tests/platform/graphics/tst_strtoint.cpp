// Tests of the text-to-integer conversion: decimal, hexadecimal, signs, overflow and its error
// text.
#include <Tallwick/Exception.h>
#include <Tallwick/StrToInt.h>

#include <QTest>
#include <climits>

using namespace Tallwick;

class TestStrToInt : public QObject {
    Q_OBJECT
private slots:
    void convertsNumbers_data();
    void convertsNumbers();
    void rejectsNonNumbers_data();
    void rejectsNonNumbers();
};

void TestStrToInt::convertsNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("decimal") << "123" << 123;
    QTest::newRow("negative") << "-45" << -45;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("leading blanks") << "   42" << 42;
    QTest::newRow("blanks before sign") << "  -3" << -3;
    QTest::newRow("window id") << "44040199" << 44040199;
    QTest::newRow("largest") << "2147483647" << INT_MAX;
    QTest::newRow("smallest") << "-2147483648" << INT_MIN;
    QTest::newRow("0x hex") << "0x1F" << 31;
    QTest::newRow("0X hex lower digits") << "0Xff" << 255;
    QTest::newRow("dollar hex") << "$2A00005" << 0x2A00005;
    QTest::newRow("negative hex") << "-$10" << -16;
    QTest::newRow("hex all ones is -1") << "$FFFFFFFF" << -1;
    QTest::newRow("hex top bit") << "0x80000000" << INT_MIN;
    QTest::newRow("hex leading zeros beyond 8 digits") << "0x000000001" << 1;
}

void TestStrToInt::convertsNumbers() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(StrToInt(text), expected);
}

void TestStrToInt::rejectsNonNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("digits then letter") << "12x";
    QTest::newRow("trailing blank") << "12 ";
    QTest::newRow("leading tab") << "\t12";
    QTest::newRow("blank after sign") << "- 5";
    QTest::newRow("sign only") << "-";
    QTest::newRow("two signs") << "--5";
    QTest::newRow("decimal point") << "1.5";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("one above largest") << "2147483648";
    QTest::newRow("one below smallest") << "-2147483649";
    QTest::newRow("far too large") << "99999999999999999999";
    QTest::newRow("hex above 32 bits") << "$100000000";
    QTest::newRow("hex prefix only") << "0x";
    QTest::newRow("dollar only") << "$";
    QTest::newRow("bad hex digit") << "0x1g";
    QTest::newRow("sign after hex prefix") << "0x-5";
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663");
    QTest::newRow("full-width digit") << QString::fromUtf8("\uFF11");
}

void TestStrToInt::rejectsNonNumbers() {
    QFETCH(QString, text);
    try {
        const int value = StrToInt(text);
        QFAIL(qPrintable(QStringLiteral("accepted as %1").arg(value)));
    } catch (const EConvertError& error) {
        QCOMPARE(error.Message, QStringLiteral("'%1' is not a valid integer value").arg(text));
        QCOMPARE(QString::fromUtf8(error.what()), error.Message);
    }
}

QTEST_APPLESS_MAIN(TestStrToInt)
#include "tst_strtoint.moc"
