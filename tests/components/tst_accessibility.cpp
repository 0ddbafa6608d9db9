// What assistive technology sees of each visual component: role, name, value, description, the
// value interface where there is a number, the press action of the colour button, and the events
// a change raises.
#include <Tallwick/Tcanvas2d.h>
#include <Tallwick/Tcolorbutton.h>
#include "TcolorbuttonTesting.h"
#include <Tallwick/Tescala.h>
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Tpoly.h>
#include <Tallwick/Tveximage.h>
#include <Tallwick/Tvexprogress.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QProgressBar>
#include <QtTest>
#include <functional>
#include <memory>

using namespace Tallwick;

namespace {
using Factory = std::function<QWidget*()>;
using Change = std::function<void(QWidget*)>;

// The events raised since the last Take().
struct EventLog {
    static inline QList<QPair<QAccessible::Event, QVariant>> events;
    static void Record(QAccessibleEvent* event) {
        QVariant value;
        if (event->type() == QAccessible::ValueChanged)
            value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
        events.append({event->type(), value});
    }
    static QList<QPair<QAccessible::Event, QVariant>> Take() { return std::exchange(events, {}); }
};

QAccessibleInterface* Face(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

TVexImage* Picture(int w, int h) {
    auto* image = new TVexImage;
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::red);
    image->SetPicturePixmap(pixmap);
    return image;
}

TPoly* Polygon(int count) {
    auto* poly = new TPoly;
    poly->SetCount(count);
    return poly;
}

TColorButton* ColorButton(TColor color) {
    auto* button = new TColorButton;
    button->SetColor(color);
    return button;
}
}  // namespace

Q_DECLARE_METATYPE(Factory)
Q_DECLARE_METATYPE(Change)

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void faces_data();
    void faces();
    void events_data();
    void events();
    void namesGivenByTheProgram();
    void colorButtonPress();
    void innerWidgetsHidden();
};

// The bridge joins the accessibility bus from the event loop, when a session bus says it is on.
void TestAccessibility::initTestCase() {
    QAccessible::installUpdateHandler(EventLog::Record);
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        (void)QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
}

void TestAccessibility::faces_data() {
    QTest::addColumn<Factory>("make");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QList<double>>("number");  // current, minimum, maximum, step; empty: no value interface
    QTest::newRow("progress bar") << Factory([] {
        auto* bar = new TVexProgress;
        bar->SetPosition(30);
        return bar;
    }) << int(QAccessible::ProgressBar)
                                  << "Progress"
                                  << "30 %" << QString() << QList<double>{30, 0, 100, 1};
    QTest::newRow("progress bar, other range") << Factory([] {
        auto* bar = new TVexProgress;
        bar->SetMax(400);
        bar->SetMin(200);
        bar->SetPosition(300);
        return bar;
    }) << int(QAccessible::ProgressBar) << "Progress"
                                               << "50 %" << QString() << QList<double>{300, 200, 400, 1};
    QTest::newRow("colour scale") << Factory([] {
        auto* scale = new TEscala;
        scale->SetMaxMin(2.5, -1);
        return scale;
    }) << int(QAccessible::Indicator)
                                  << "Colour scale"
                                  << "-1.000 to 2.500" << QString() << QList<double>{};
    QTest::newRow("plot") << Factory([] {
        auto* plot = new TCanvas2D;
        plot->SetAxisXMin(-5);
        plot->SetAxisYMax(1234);
        return plot;
    }) << int(QAccessible::Chart)
                          << "Plot" << QString() << "x from -5.00 to 10.00, y from 0.00 to 1,234.00" << QList<double>{};
    QTest::newRow("picture") << Factory([] { return Picture(12, 7); }) << int(QAccessible::Graphic) << "Picture"
                             << QString() << "12 x 7 pixels" << QList<double>{};
    QTest::newRow("picture, empty") << Factory([] { return new TVexImage; }) << int(QAccessible::Graphic) << "Picture"
                                    << QString() << "Empty" << QList<double>{};
    QTest::newRow("polygon") << Factory([] { return Polygon(6); }) << int(QAccessible::Graphic) << "Polygon"
                             << QString() << "6 corners" << QList<double>{};
    QTest::newRow("image panel") << Factory([] { return new TPnlImg; }) << int(QAccessible::Graphic) << "Image panel"
                                 << QString() << QString() << QList<double>{};
    QTest::newRow("colour button") << Factory([] { return ColorButton(RGB(255, 128, 0)); }) << int(QAccessible::Button)
                                   << "Colour button"
                                   << "#ff8000" << QString() << QList<double>{};
}

void TestAccessibility::faces() {
    QFETCH(Factory, make);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, description);
    QFETCH(QList<double>, number);
    std::unique_ptr<QWidget> widget(make());
    QAccessibleInterface* face = Face(widget.get());
    QVERIFY(face && face->isValid());
    QCOMPARE(int(face->role()), role);
    QCOMPARE(face->text(QAccessible::Name), name);
    QCOMPARE(face->text(QAccessible::Value), value);
    QCOMPARE(face->text(QAccessible::Description), description);
    QAccessibleValueInterface* values = face->valueInterface();
    QCOMPARE(values != nullptr, !number.isEmpty());
    if (values) {
        QCOMPARE(values->currentValue().toDouble(), number[0]);
        QCOMPARE(values->minimumValue().toDouble(), number[1]);
        QCOMPARE(values->maximumValue().toDouble(), number[2]);
        QCOMPARE(values->minimumStepSize().toDouble(), number[3]);
        values->setCurrentValue(number[1]);  // the program's value: no change from outside
        QCOMPARE(values->currentValue().toDouble(), number[0]);
    }
}

void TestAccessibility::events_data() {
    QTest::addColumn<Factory>("make");
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("event");
    QTest::addColumn<QVariant>("value");  // of a value change
    QTest::newRow("progress position") << Factory([] { return new TVexProgress; })
                                       << Change([](QWidget* w) { static_cast<TVexProgress*>(w)->SetPosition(70); })
                                       << int(QAccessible::ValueChanged) << QVariant(70);
    QTest::newRow("progress step") << Factory([] { return new TVexProgress; })
                                   << Change([](QWidget* w) { static_cast<TVexProgress*>(w)->StepIt(5); })
                                   << int(QAccessible::ValueChanged) << QVariant(55);
    QTest::newRow("progress maximum moves the position")
        << Factory([] { return new TVexProgress; })
        << Change([](QWidget* w) { static_cast<TVexProgress*>(w)->SetMax(40); }) << int(QAccessible::ValueChanged)
        << QVariant(40);
    QTest::newRow("scale range") << Factory([] { return new TEscala; })
                                 << Change([](QWidget* w) { static_cast<TEscala*>(w)->SetMaximum(50); })
                                 << int(QAccessible::ValueChanged) << QVariant(QStringLiteral("0.000 to 50.000"));
    QTest::newRow("plot zoom all") << Factory([] {
        auto* plot = new TCanvas2D;
        plot->SetZoomAllXMax(20);
        return plot;
    }) << Change([](QWidget* w) { static_cast<TCanvas2D*>(w)->ZoomAll(); })
                                   << int(QAccessible::DescriptionChanged) << QVariant();
    QTest::newRow("polygon corners") << Factory([] { return Polygon(5); })
                                     << Change([](QWidget* w) { static_cast<TPoly*>(w)->SetCount(8); })
                                     << int(QAccessible::DescriptionChanged) << QVariant();
    QTest::newRow("colour button colour") << Factory([] { return ColorButton(clBlack); }) << Change([](QWidget* w) {
        static_cast<TColorButton*>(w)->SetColor(RGB(0, 0, 255));
    }) << int(QAccessible::ValueChanged) << QVariant(QStringLiteral("#0000ff"));
}

// The change raises its event (a change of range that moves the position may raise two), the
// last one with the new value.
void TestAccessibility::events() {
    QFETCH(Factory, make);
    QFETCH(Change, change);
    QFETCH(int, event);
    QFETCH(QVariant, value);
    if (!QAccessible::isActive())
        QSKIP(
            "Accessibility is not active (no bridge, or no accessibility bus): events are checked under "
            "tests/with-atspi");
    std::unique_ptr<QWidget> widget(make());
    QVERIFY(Face(widget.get()));
    EventLog::Take();
    change(widget.get());
    QList<QVariant> seen;
    for (const auto& [type, got] : EventLog::Take())
        if (int(type) == event)
            seen << got;
    QVERIFY(!seen.isEmpty() && seen.size() <= 2);
    if (value.isValid())
        QCOMPARE(seen.last(), value);
    EventLog::Take();
    if (QTest::currentDataTag() == QByteArray("progress step"))
        return;            // a step again is a change again
    change(widget.get());  // the same again: no change, no event
    for (const auto& entry : EventLog::Take())
        QVERIFY(int(entry.first) != event);
}

// The accessible name, a tooltip, then the kind; QProgressBar and ours share the role.
void TestAccessibility::namesGivenByTheProgram() {
    TVexProgress bar;
    QCOMPARE(Face(&bar)->role(), Face(std::make_unique<QProgressBar>().get())->role());
    bar.setToolTip(QStringLiteral("Copying"));
    QCOMPARE(Face(&bar)->text(QAccessible::Name), QStringLiteral("Copying"));
    bar.setAccessibleName(QStringLiteral("Files copied"));
    QCOMPARE(Face(&bar)->text(QAccessible::Name), QStringLiteral("Files copied"));
}

// The press action opens the chooser, as a click on the face does; disabled, there is no action.
void TestAccessibility::colorButtonPress() {
    TColorButton button;
    int asked = 0;
    TColorButtonTesting::SetChooser(button, [&](TColorButton*, TColor) -> std::optional<TColor> {
        ++asked;
        return RGB(1, 2, 3);
    });
    QAccessibleActionInterface* actions = Face(&button)->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EventLog::Take();
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(asked, 1);
    QCOMPARE(button.Color(), RGB(1, 2, 3));
    QCOMPARE(Face(&button)->text(QAccessible::Value), QStringLiteral("#010203"));
    button.setEnabled(false);
    QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(asked, 1);
}

// The surfaces and panels inside a component are not its children; a window lists the component.
void TestAccessibility::innerWidgetsHidden() {
    QWidget window;
    auto* bar = new TVexProgress(&window);
    auto* plot = new TCanvas2D(&window);
    QCOMPARE(Face(bar)->childCount(), 0);
    QCOMPARE(Face(plot)->childCount(), 0);
    QAccessibleInterface* top = Face(&window);
    QVERIFY(top->indexOfChild(Face(bar)) >= 0);
    QVERIFY(top->indexOfChild(Face(plot)) >= 0);
    QCOMPARE(Face(bar)->parent(), top);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
