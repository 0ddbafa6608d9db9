// Every component of the component table: it is registered, it is created at its default size,
// every property it declares below QWidget reads back what was written and announces each real
// change exactly once, and it paints at 0 x 0, 1 x 1 and its default size without a warning.
#include <Tallwick/ComponentRegistry.h>
#include <Tallwick/ComponentTable.h>

#include <QFont>
#include <QMetaProperty>
#include <QPixmap>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <memory>

using namespace Tallwick;

namespace {

// The first property index a component declares itself (Qt's own widget properties excluded).
int FirstOwnProperty(const QMetaObject* meta) {
    return meta->inherits(&QWidget::staticMetaObject) ? QWidget::staticMetaObject.propertyCount()
                                                      : QObject::staticMetaObject.propertyCount();
}

bool SameValue(const QMetaProperty& property, const QVariant& a, const QVariant& b) {
    if (property.isEnumType())
        return a.toInt() == b.toInt();
    if (property.metaType().id() == QMetaType::QPixmap)
        return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
    return a == b;
}

QPixmap SamplePixmap(int variant) {
    QPixmap pixmap(3, 2);
    pixmap.fill(QColor(10 * variant, 200, 30));
    return pixmap;
}

// Properties whose texts must name something real; the generic texts would be refused.
QList<QVariant> MeaningfulValues(const QMetaProperty& property) {
    if (qstrcmp(property.enclosingMetaObject()->className(), "Tallwick::TDiskInfo") == 0 &&
        qstrcmp(property.name(), "Drive") == 0)
        return {QStringLiteral("/")};  // the root file system by its mount point
    return {};
}

// Values different from `current` to try in turn: a component may refuse some (a range, a minimum).
QList<QVariant> CandidatesFor(const QMetaProperty& property, const QVariant& current) {
    if (const QList<QVariant> meaningful = MeaningfulValues(property); !meaningful.isEmpty())
        return meaningful;
    if (property.isEnumType()) {
        const QMetaEnum e = property.enumerator();
        QList<QVariant> values;
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) != current.toInt())
                values << QVariant(e.value(i));
        return values;
    }
    switch (property.metaType().id()) {
    case QMetaType::Bool: return {!current.toBool()};
    case QMetaType::Int: {
        const int v = current.toInt();
        return {v + 1, v - 1, v + 10, v * 2 + 3};
    }
    case QMetaType::UInt: {  // raw colours: a plain one and a system one
        const uint v = current.toUInt();
        return {v == 0x00302010u ? 0x00102030u : 0x00302010u, v == 0x8000000Fu ? 0x80000005u : 0x8000000Fu};
    }
    case QMetaType::LongLong: return {current.toLongLong() + 1, current.toLongLong() - 1};
    case QMetaType::Double: {
        const double v = current.toDouble();
        return {v + 1.5, v - 1.5, v * 2 + 3.25, 0.5, v * 0.5};  // the last for a range like (0, 1)
    }
    case QMetaType::QString: return {current.toString() + QStringLiteral("x"), QStringLiteral("Tallwick")};
    case QMetaType::QColor: {
        const QColor a(0x10, 0x20, 0x30), b(0x30, 0x20, 0x10);
        return {current.value<QColor>() == a ? b : a};
    }
    case QMetaType::QPixmap: return {SamplePixmap(1), SamplePixmap(2)};
    case QMetaType::QFont: {
        QFont bold = current.value<QFont>(), larger = current.value<QFont>();
        bold.setBold(!bold.bold());
        larger.setPointSize(std::max(larger.pointSize(), 8) + 3);
        return {bold, larger};
    }
    case QMetaType::QStringList: return {current.toStringList() << QStringLiteral("x"), QStringList()};
    default: return {};
    }
}

}  // namespace

class TestAllComponents : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }
    void everyComponentIsRegistered();
    void createsAtItsDefaultSize_data() { components(false); }
    void createsAtItsDefaultSize();
    void propertiesRoundTripAndNotifyOnce_data() { components(false); }
    void propertiesRoundTripAndNotifyOnce();
    void paintsAtEverySize_data();
    void paintsAtEverySize();

private:
    void components(bool visualOnly);
};

void TestAllComponents::components(bool visualOnly) {
    QTest::addColumn<QString>("name");
    for (const TComponentInfo& info : ComponentTable())
        if (info.Visual() || !visualOnly)
            QTest::newRow(info.Name) << QString::fromLatin1(info.Name);
}

void TestAllComponents::everyComponentIsRegistered() {
    QVERIFY(ComponentTable().size() >= 2);
    Register();
    const QStringList registered = RegisteredComponents(QStringLiteral("Tallwick"));
    for (const TComponentInfo& info : ComponentTable()) {
        QVERIFY2(registered.contains(QLatin1String(info.Name)), info.Name);
        QCOMPARE(info.QualifiedName(), QStringLiteral("Tallwick::") + QLatin1String(info.Name));
        QCOMPARE(FindComponent(QLatin1String(info.Name)), &info);
    }
    QCOMPARE(FindComponent(QStringLiteral("TNoSuchComponent")), nullptr);
}

void TestAllComponents::createsAtItsDefaultSize() {
    QFETCH(QString, name);
    const TComponentInfo* info = FindComponent(name);
    QWidget owner;
    QObject* component = info->Create(&owner);
    QCOMPARE(component->parent(), &owner);
    QCOMPARE(component->metaObject(), info->MetaObject);
    auto* widget = qobject_cast<QWidget*>(component);
    QCOMPARE(widget != nullptr, info->Visual());
    // A component that sizes itself to its content (AutoSize on) starts from its default size
    // and may leave it at once; its other dimension stays.
    if (widget && !component->property("AutoSize").toBool())
        QCOMPARE(widget->size(), info->DefaultSize);
    else if (widget)
        QVERIFY(widget->width() == info->DefaultSize.width() || widget->height() == info->DefaultSize.height());
}

void TestAllComponents::propertiesRoundTripAndNotifyOnce() {
    QFETCH(QString, name);
    const TComponentInfo* info = FindComponent(name);
    std::unique_ptr<QObject> component(info->Create(nullptr));
    const QMetaObject* meta = component->metaObject();
    // A component that sizes itself would refuse other sizes: let it keep the size it is given.
    if (component->property("AutoSize").toBool())
        QVERIFY(component->setProperty("AutoSize", false));
    int checked = 0;
    for (int i = FirstOwnProperty(meta); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QByteArray what = name.toLatin1() + "::" + property.name();
        QVERIFY2(property.isReadable() && property.isWritable(), what.constData());
        QVERIFY2(property.hasNotifySignal(), what.constData());
        const QVariant before = property.read(component.get());
        const QList<QVariant> candidates = CandidatesFor(property, before);
        QVERIFY2(!candidates.isEmpty(), what + " has a type this test cannot vary: " + property.typeName());

        QSignalSpy spy(component.get(), property.notifySignal());
        bool accepted = false;
        for (const QVariant& candidate : candidates) {
            const int signalsBefore = spy.count();
            QVERIFY2(property.write(component.get(), candidate), what.constData());
            const QVariant after = property.read(component.get());
            if (SameValue(property, after, before)) {
                QVERIFY2(spy.count() == signalsBefore, what + ": signal without a change");
                continue;  // refused: try the next value
            }
            QVERIFY2(SameValue(property, after, candidate), what + ": reads back another value than written");
            QVERIFY2(spy.count() == signalsBefore + 1, what + ": not exactly one signal for a change");
            property.write(component.get(), candidate);
            QVERIFY2(spy.count() == signalsBefore + 1, what + ": signal for an equal value");
            accepted = true;
            break;
        }
        QVERIFY2(accepted, what + ": no different value was accepted");
        ++checked;
    }
    QVERIFY(checked > 0);
}

void TestAllComponents::paintsAtEverySize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const TComponentInfo& info : ComponentTable()) {
        if (!info.Visual())
            continue;
        for (const QSize& size : {QSize(0, 0), QSize(1, 1), info.DefaultSize})
            QTest::addRow("%s %dx%d", info.Name, size.width(), size.height()) << QString::fromLatin1(info.Name) << size;
    }
}

// Painting runs through the event guard, so an error there would show as a warning, which fails.
void TestAllComponents::paintsAtEverySize() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const TComponentInfo* info = FindComponent(name);
    QWidget window;
    window.resize(info->DefaultSize + QSize(20, 20));
    auto* widget = qobject_cast<QWidget*>(info->Create(&window));
    widget->setGeometry(QRect(QPoint(10, 10), size));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = widget->grab().toImage();
    QCOMPARE(shot.size(), widget->size());  // AutoSize may have changed the size asked for
    widget->repaint();
}

QTEST_MAIN(TestAllComponents)
#include "tst_all_components.moc"
