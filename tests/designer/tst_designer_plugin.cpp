// The designer plugin loads and offers every registered component in the group "Tallwick".
#include <Tallwick/ComponentRegistry.h>

#include <QPluginLoader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

using namespace Tallwick;

class TestDesignerPlugin : public QObject {
    Q_OBJECT
private slots:
    void offersTheComponents();
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

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designer_plugin.moc"
