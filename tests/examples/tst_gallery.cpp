// The gallery holds every component of the component table, each shown and with a size of its own.
#include <Tallwick/ComponentTable.h>
#include "GalleryWindow.h"

#include <QtTest>

using namespace Tallwick;

class TestGallery : public QObject {
    Q_OBJECT
private slots:
    // Any warning fails, except the offscreen platform's note that it cannot pass on size hints.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*"))); }
    void holdsEveryComponent_data();
    void holdsEveryComponent();
};

void TestGallery::holdsEveryComponent_data() {
    QTest::addColumn<QString>("name");
    for (const TComponentInfo& info : ComponentTable())
        QTest::newRow(info.Name) << QString::fromLatin1(info.Name);
}

void TestGallery::holdsEveryComponent() {
    QFETCH(QString, name);
    const TComponentInfo* info = FindComponent(name);
    TGalleryWindow gallery;
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    QList<QObject*> found;
    for (QObject* object : gallery.findChildren<QObject*>())
        if (object->metaObject()->inherits(info->MetaObject))
            found << object;
    QVERIFY2(!found.isEmpty(), qPrintable(name + " is not in the gallery"));
    for (QObject* object : found) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            QVERIFY2(widget->isVisible(), qPrintable(name + " is hidden"));
            QVERIFY2(widget->width() > 1 && widget->height() > 1, qPrintable(name + " has no size"));
        }
    }
}

QTEST_MAIN(TestGallery)
#include "tst_gallery.moc"
