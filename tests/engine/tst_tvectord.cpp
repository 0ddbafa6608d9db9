// Tests of TVectorD: growth, element access and range errors.
#include <Tallwick/Exception.h>
#include "Tvectord.h"

#include <QTest>
#include <sys/resource.h>

using namespace Tallwick;

class TestTVectorD : public QObject {
    Q_OBJECT
private slots:
    void startsEmpty();
    void setLengthKeepsLeadingValues_data();
    void setLengthKeepsLeadingValues();
    void lengthBelowOneChangesNothing_data();
    void lengthBelowOneChangesNothing();
    void clearKeepsCount();
    void impossibleLengthRaisesAndKeepsData();
};

void TestTVectorD::startsEmpty() {
    TVectorD v;
    QCOMPARE(v.Count, 0);
    QVERIFY(!v.Allocated);
}

void TestTVectorD::setLengthKeepsLeadingValues_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("grow") << 4 << 10;
    QTest::newRow("shrink") << 10 << 3;
    QTest::newRow("same") << 6 << 6;
    QTest::newRow("one") << 5 << 1;
}

void TestTVectorD::setLengthKeepsLeadingValues() {
    QFETCH(int, first);
    QFETCH(int, second);
    TVectorD v;
    v.SetLength(first);
    QCOMPARE(v.Count, first);
    QVERIFY(v.Allocated);
    for (int i = 0; i < first; ++i)
        v[i] = i * 1.5 + 0.25;
    v.SetLength(second);
    QCOMPARE(v.Count, second);
    QVERIFY(v.Allocated);
    for (int i = 0; i < std::min(first, second); ++i)
        QCOMPARE(v[i], i * 1.5 + 0.25);
    // The new elements are writable storage.
    v[second - 1] = -7.0;
    QCOMPARE(v.Data[second - 1], -7.0);
}

void TestTVectorD::lengthBelowOneChangesNothing_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
    QTest::newRow("most negative") << INT_MIN;
}

void TestTVectorD::lengthBelowOneChangesNothing() {
    QFETCH(int, length);
    TVectorD empty;
    empty.SetLength(length);
    QCOMPARE(empty.Count, 0);
    QVERIFY(!empty.Allocated);

    TVectorD held;
    held.SetLength(3);
    held[2] = 42;
    double* data = held.Data;
    held.SetLength(length);
    QCOMPARE(held.Count, 3);
    QCOMPARE(held.Data, data);
    QCOMPARE(held[2], 42.0);
}

void TestTVectorD::clearKeepsCount() {
    TVectorD v;
    v.SetLength(8);
    v.Clear();
    QVERIFY(!v.Allocated);
    QCOMPARE(v.Count, 8);
    v.Clear();  // a second Clear is harmless
    QVERIFY(!v.Allocated);
    v.SetLength(2);  // storage can be had again
    QVERIFY(v.Allocated);
    QCOMPARE(v.Count, 2);
}

void TestTVectorD::impossibleLengthRaisesAndKeepsData() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("The address sanitizer reserves far more address space than the limit set here");
#else
    TVectorD v;
    v.SetLength(4);
    v[3] = 9.5;
    // Limit the address space so that 16 GB of doubles cannot be had, whatever the machine.
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(4) << 30;
    if (old.rlim_max != RLIM_INFINITY && old.rlim_max < tight.rlim_cur)
        tight.rlim_cur = old.rlim_max;
    QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
    QString message;
    try {
        v.SetLength(INT_MAX);
    } catch (const EOutOfMemory& e) {
        message = e.Message;
    }
    setrlimit(RLIMIT_AS, &old);
    QVERIFY2(message.contains(QLatin1String("2147483647")), qPrintable(message));
    QCOMPARE(v.Count, 4);
    QVERIFY(v.Allocated);
    QCOMPARE(v[3], 9.5);
#endif
}

QTEST_APPLESS_MAIN(TestTVectorD)
#include "tst_tvectord.moc"
