// The little-endian fields of the settings file.
#include <Tallwick/Vexutils.h>

#include <QBuffer>
#include <QtTest>

using namespace Tallwick;

class TestStreamFields : public QObject {
    Q_OBJECT
private slots:
    void writesLittleEndianFields();
    void readsBackWhatWasWritten();
    void readString_data();
    void readString();
    void shortStreamGivesFallbacks();
};

void TestStreamFields::writesLittleEndianFields() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteString(buffer, "Skyglow II");
    WriteColor(buffer, 0xB4B4B4);
    WriteInt(buffer, 1000);
    WriteInt(buffer, -2);
    WriteByte(buffer, 1);
    WriteString(buffer, QByteArray());
    const QByteArray expected = QByteArray::fromHex("0a000000") + "Skyglow II" +
                                QByteArray::fromHex(
                                    "b4b4b400"
                                    "e8030000"
                                    "feffffff"
                                    "01"
                                    "00000000");
    QCOMPARE(buffer.data(), expected);
}

void TestStreamFields::readsBackWhatWasWritten() {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteString(buffer, "abc");
    WriteColor(buffer, cl3DHighlight);
    WriteInt(buffer, INT_MIN);
    WriteByte(buffer, char(0xFE));
    buffer.seek(0);
    QCOMPARE(ReadString(buffer), QByteArray("abc"));
    QCOMPARE(ReadColor(buffer), cl3DHighlight);
    QCOMPARE(ReadInt(buffer), INT_MIN);
    QCOMPARE(ReadByte(buffer), char(0xFE));
    QVERIFY(buffer.atEnd());
}

void TestStreamFields::readString_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<qint64>("positionAfter");
    QTest::newRow("length 0: empty") << QByteArray::fromHex("00000000ff") << QByteArray("") << qint64(4);
    QTest::newRow("cut at the first zero byte, all n bytes consumed")
        << QByteArray::fromHex("05000000") + QByteArray("ab\0cd!", 6) << QByteArray("ab") << qint64(9);
    QTest::newRow("negative length: empty, at the end")
        << QByteArray::fromHex("feffffff") + QByteArray("Skyglow II") << QByteArray() << qint64(14);
    QTest::newRow("length past the end: empty, at the end")
        << QByteArray::fromHex("ffffff7f") + QByteArray("Sky") << QByteArray() << qint64(7);
    QTest::newRow("truncated length field") << QByteArray::fromHex("0a00") << QByteArray() << qint64(2);
}

void TestStreamFields::readString() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QFETCH(qint64, positionAfter);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(ReadString(buffer), expected);
    QCOMPARE(buffer.pos(), positionAfter);
}

void TestStreamFields::shortStreamGivesFallbacks() {
    QByteArray bytes = QByteArray::fromHex("010203");  // three bytes: not a whole int
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(ReadInt(buffer, 50), 50);
    QCOMPARE(ReadColor(buffer, 0xFFFFFF), TColor(0xFFFFFF));
    QCOMPARE(ReadByte(buffer, 1), char(1));
}

QTEST_MAIN(TestStreamFields)
#include "tst_stream_fields.moc"
