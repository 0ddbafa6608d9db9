// The designer plugin loads and offers every registered component in the group "Tallwick", with
// icons that show the component, nothing internal in the property editor, and an outline for an
// empty image surface on a form being edited.
#include <Tallwick/ComponentRegistry.h>
#include <Tallwick/Tveximage.h>

#include <QPluginLoader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

// Designer's form window, as far as a widget on a form can tell: its class name. (The real one
// lives in Designer's own libraries, with a form editor behind it.)
class QDesignerFormWindowInterface : public QWidget {
    Q_OBJECT
};

using namespace Tallwick;

namespace {
QDesignerCustomWidgetCollectionInterface* Collection() {
    static QPluginLoader loader(QStringLiteral(DESIGNER_PLUGIN));
    return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
}

QDesignerCustomWidgetInterface* Plugin(const QString& name) {
    for (QDesignerCustomWidgetInterface* widget : Collection()->customWidgets())
        if (widget->name() == name)
            return widget;
    return nullptr;
}

QStringList PluginNames() {
    QStringList names;
    for (QDesignerCustomWidgetInterface* widget : Collection()->customWidgets())
        names << widget->name();
    return names;
}

// The box of the icon's visible pixels, and how many colours they have.
struct IconFace {
    QRect box;
    int colours = 0;
};

IconFace FaceOf(const QImage& icon) {
    IconFace face;
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) == 255) {
                face.box |= QRect(x, y, 1, 1);
                colours << icon.pixel(x, y);
            }
    face.colours = int(colours.size());
    return face;
}

// Pixels of the rectangle's outermost ring that differ from the pixel in the middle.
int RingPixelsUnlike(const QImage& shot) {
    const QRgb middle = shot.pixel(shot.width() / 2, shot.height() / 2);
    int unlike = 0;
    for (int x = 0; x < shot.width(); ++x)
        unlike += (shot.pixel(x, 0) != middle) + (shot.pixel(x, shot.height() - 1) != middle);
    for (int y = 1; y + 1 < shot.height(); ++y)
        unlike += (shot.pixel(0, y) != middle) + (shot.pixel(shot.width() - 1, y) != middle);
    return unlike;
}
}  // namespace

class TestDesignerPlugin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(Collection()); }
    void offersTheComponents();
    void iconShowsTheComponent_data();
    void iconShowsTheComponent();
    void nothingInternalIsAProperty_data();
    void nothingInternalIsAProperty();
    void emptyImageIsOutlinedOnlyOnAForm_data();
    void emptyImageIsOutlinedOnlyOnAForm();
};

void TestDesignerPlugin::offersTheComponents() {
    QPluginLoader loader(QStringLiteral(DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    QVERIFY2(instance, qPrintable(loader.errorString()));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance);
    QVERIFY(collection);
    QMap<QString, QDesignerCustomWidgetInterface*> byName;
    for (QDesignerCustomWidgetInterface* widget : collection->customWidgets()) {
        QCOMPARE(widget->group(), QStringLiteral("Tallwick"));
        QVERIFY(!widget->isContainer());
        byName.insert(widget->name(), widget);
    }
    QCOMPARE(byName.keys(),
             QStringList({"Tallwick::TCanvas2D", "Tallwick::TColorButton", "Tallwick::TEscala", "Tallwick::TPnlImg",
                          "Tallwick::TPoly", "Tallwick::TVexImage", "Tallwick::TVexProgress"}));

    QWidget form;
    std::unique_ptr<QWidget> image(byName["Tallwick::TVexImage"]->createWidget(&form));
    QCOMPARE(image->metaObject()->className(), "Tallwick::TVexImage");
    QCOMPARE(image->size(), QSize(105, 105));
    std::unique_ptr<QWidget> button(byName["Tallwick::TColorButton"]->createWidget(&form));
    QCOMPARE(button->metaObject()->className(), "Tallwick::TColorButton");
    QCOMPARE(button->size(), QSize(64, 24));
    QCOMPARE(button->property("ColorValue").toUInt(), 255u);
    std::unique_ptr<QWidget> plot(byName["Tallwick::TCanvas2D"]->createWidget(&form));
    QCOMPARE(plot->size(), QSize(160, 160));
    QCOMPARE(plot->property("Format").toString(), QStringLiteral(",0.00"));
}

void TestDesignerPlugin::iconShowsTheComponent_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : PluginNames())
        QTest::newRow(qPrintable(name)) << name;
}

// No blank square, no sliver: the icon is a picture of some size and some colour.
void TestDesignerPlugin::iconShowsTheComponent() {
    QFETCH(QString, name);
    const QIcon icon = Plugin(name)->icon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    const IconFace face = FaceOf(image);
    QVERIFY2(face.box.width() >= 12 && face.box.height() >= 12,
             qPrintable(QStringLiteral("%1 x %2").arg(face.box.width()).arg(face.box.height())));
    QVERIFY2(face.colours >= 4, qPrintable(QString::number(face.colours)));
}

void TestDesignerPlugin::nothingInternalIsAProperty_data() { iconShowsTheComponent_data(); }

// Designer lists a widget's dynamic properties beside its own: a component has none, and its
// parts, aligned or not, have none of ours either (Qt's own internals start with "_q_").
void TestDesignerPlugin::nothingInternalIsAProperty() {
    QFETCH(QString, name);
    QWidget form;
    std::unique_ptr<QWidget> component(Plugin(name)->createWidget(&form));
    component->resize(component->size() + QSize(20, 10));
    QVERIFY2(component->dynamicPropertyNames().isEmpty(),
             qPrintable(QString::fromLatin1(component->dynamicPropertyNames().join(", "))));
    for (const QWidget* part : component->findChildren<QWidget*>())
        for (const QByteArray& property : part->dynamicPropertyNames())
            QVERIFY2(property.startsWith("_q_"), qPrintable(part->metaObject()->className() + QStringLiteral(": ") +
                                                            QString::fromLatin1(property)));
}

void TestDesignerPlugin::emptyImageIsOutlinedOnlyOnAForm_data() {
    QTest::addColumn<bool>("onForm");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("outlined");
    QTest::newRow("on a form, empty") << true << false << true;
    QTest::newRow("on a form, with a picture") << true << true << false;
    QTest::newRow("in a program, empty") << false << false << false;
}

void TestDesignerPlugin::emptyImageIsOutlinedOnlyOnAForm() {
    QFETCH(bool, onForm);
    QFETCH(bool, picture);
    QFETCH(bool, outlined);
    QDesignerFormWindowInterface formWindow;
    QWidget program;
    auto* container = new QWidget(onForm ? static_cast<QWidget*>(&formWindow) : &program);
    container->resize(200, 200);
    QWidget* image = Plugin(QStringLiteral("Tallwick::TVexImage"))->createWidget(container);
    if (picture)
        static_cast<TVexImage*>(image)->Fill(clWhite);
    const QImage shot = image->grab().toImage();
    QCOMPARE(shot.size(), QSize(105, 105));
    const int unlike = RingPixelsUnlike(shot);
    if (outlined)
        QVERIFY2(unlike >= 100 && unlike < 4 * 104, qPrintable(QString::number(unlike)));  // dashed
    else
        QCOMPARE(unlike, 0);
}

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designer_plugin.moc"
