// The window of tallwick-plot at the sizes people give it: every button, the spin box and the
// status line get at least the room their text needs, inside the window and clear of each other.
#include "PlotWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

using namespace Tallwick;

class TestPlotWindow : public QObject {
    Q_OBJECT
private slots:
    void nothingIsCut_data();
    void nothingIsCut();
};

void TestPlotWindow::nothingIsCut_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("360 x 300") << QSize(360, 300);
    QTest::newRow("500 x 300") << QSize(500, 300);
    QTest::newRow("500 x 400") << QSize(500, 400);
    QTest::newRow("640 x 480") << QSize(640, 480);
    QTest::newRow("as it opens") << QSize();
}

void TestPlotWindow::nothingIsCut() {
    QFETCH(QSize, size);
    TPlotWindow window;
    if (size.isValid())
        window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(100);  // the redraw time is shown after the first draw, and laid out after that
    if (size.isValid())
        QCOMPARE(window.size(), size);
    QList<QWidget*> parts;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QLabel*>(widget))
            parts << widget;
    QVERIFY(parts.size() >= 7);
    for (QWidget* part : parts) {
        const QString name = part->metaObject()->className() + QStringLiteral(" ") + part->property("text").toString() +
                             part->property("prefix").toString();
        if (!part->isVisibleTo(&window))
            continue;  // a combo box's popup, say
        const QSize needed = part->hasHeightForWidth()
                                 ? QSize(part->minimumSizeHint().width(), part->heightForWidth(part->width()))
                                 : part->sizeHint();
        QVERIFY2(part->width() >= needed.width() && part->height() >= needed.height(),
                 qPrintable(QStringLiteral("%1: %2 x %3 for %4 x %5")
                                .arg(name)
                                .arg(part->width())
                                .arg(part->height())
                                .arg(needed.width())
                                .arg(needed.height())));
        const QRect at(part->mapTo(&window, QPoint(0, 0)), part->size());
        QVERIFY2(window.rect().contains(at), qPrintable(name));
        for (QWidget* other : parts)
            if (other != part && other->parentWidget() == part->parentWidget())
                QVERIFY2(!other->geometry().intersects(part->geometry()), qPrintable(name));
    }
    QVERIFY(window.Plot()->height() > 60);
}

QTEST_MAIN(TestPlotWindow)
#include "tst_plot_window.moc"
