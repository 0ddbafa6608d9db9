// The setter helper of the components: compare, store, redraw, announce, in that order, and
// nothing at all for an equal value.
#include "PropertyChange.h"

#include <QString>
#include <QStringList>
#include <QtTest>

using namespace Tallwick;

namespace {
// An owner that records what the helper makes it do, and what it sees stored when it redraws.
struct TOwner {
    double Value = 0;
    QString Text;
    QStringList Log;
    void Redraw() { Log << QStringLiteral("redraw %1").arg(Value); }
    void Changed() { Log << QStringLiteral("announce"); }
};
}  // namespace

class TestPropertyChange : public QObject {
    Q_OBJECT
private slots:
    void changeDouble_data();
    void changeDouble();
    void storeOnly();
    void changeText();
};

void TestPropertyChange::changeDouble_data() {
    QTest::addColumn<double>("stored");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("changes");
    QTest::newRow("equal") << 1.5 << 1.5 << false;
    QTest::newRow("different") << 1.5 << 2.0 << true;
    QTest::newRow("0 and -0 are equal") << 0.0 << -0.0 << false;
    QTest::newRow("NaN again") << qQNaN() << qQNaN() << false;
    QTest::newRow("NaN to a number") << qQNaN() << 3.0 << true;
    QTest::newRow("a number to NaN") << 3.0 << qQNaN() << true;
    QTest::newRow("to infinity") << 3.0 << qInf() << true;
}

void TestPropertyChange::changeDouble() {
    QFETCH(double, stored);
    QFETCH(double, value);
    QFETCH(bool, changes);
    TOwner owner;
    owner.Value = stored;
    QCOMPARE(ChangeProperty(&owner, owner.Value, value, &TOwner::Redraw, &TOwner::Changed), changes);
    if (!changes) {
        QVERIFY(owner.Log.isEmpty());
        return;
    }
    // Stored before the redraw, which sees the new value; announced last.
    QCOMPARE(owner.Log, QStringList({QStringLiteral("redraw %1").arg(value), QStringLiteral("announce")}));
    QVERIFY(owner.Value == value || (qIsNaN(owner.Value) && qIsNaN(value)));
}

void TestPropertyChange::storeOnly() {
    TOwner owner;
    QVERIFY(ChangeProperty(&owner, owner.Value, 4.0, nullptr, &TOwner::Changed));
    QCOMPARE(owner.Value, 4.0);
    QCOMPARE(owner.Log, QStringList({QStringLiteral("announce")}));
    QVERIFY(!ChangeProperty(&owner, owner.Value, 4, nullptr, &TOwner::Changed));
    QCOMPARE(owner.Log.size(), 1);
}

void TestPropertyChange::changeText() {
    TOwner owner;
    int redraws = 0;
    const auto redraw = [&redraws](TOwner*) { ++redraws; };
    QVERIFY(ChangeProperty(&owner, owner.Text, QStringLiteral("0.00"), redraw, &TOwner::Changed));
    QVERIFY(!ChangeProperty(&owner, owner.Text, QStringLiteral("0.00"), redraw, &TOwner::Changed));
    QCOMPARE(owner.Text, QStringLiteral("0.00"));
    QCOMPARE(redraws, 1);
    QCOMPARE(owner.Log, QStringList({QStringLiteral("announce")}));
}

QTEST_MAIN(TestPropertyChange)
#include "tst_propertychange.moc"
