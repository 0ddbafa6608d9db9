// The numeric spin edit: bounds of the arrows, what typing may enter, what Value reads.
#include <Tallwick/SpinEdit.h>

#include <QLineEdit>
#include <QtTest>

using namespace Tallwick;

namespace {
// A spin edit set up as the settings dialog uses it: 10..10000, four typed characters.
struct StarCountEdit {
    QWidget host;
    TSpinEdit* edit;
    StarCountEdit() : edit(new TSpinEdit(&host)) {
        edit->SetMinValue(10);
        edit->SetMaxValue(10000);
        edit->SetMaxLength(4);
        edit->SetAlignment(taRightJustify);
        edit->setGeometry(0, 0, 89, 24);
    }
    bool Show() {
        host.show();
        host.activateWindow();  // no window manager does it under a bare X server
        edit->setFocus();
        return QTest::qWaitForWindowActive(&host);
    }
    void Retype(const QString& keys) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, keys);
    }
};
}  // namespace

class TestSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void setValueKeepsBounds_data();
    void setValueKeepsBounds();
    void arrowsStayInside_data();
    void arrowsStayInside();
    void typing_data();
    void typing();
    void leavingBringsTextIntoRange_data();
    void leavingBringsTextIntoRange();
    void valueWiderThanMaxLengthShownInFull();
    void rightAligned();
    void noBoundsWhenEqual();
};

void TestSpinEdit::setValueKeepsBounds_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("inside") << 1000.0 << 1000.0 << "1000";
    QTest::newRow("lower bound") << 10.0 << 10.0 << "10";
    QTest::newRow("upper bound") << 10000.0 << 10000.0 << "10000";
    QTest::newRow("below") << 5.0 << 10.0 << "10";
    QTest::newRow("zero") << 0.0 << 10.0 << "10";
    QTest::newRow("negative") << -3.0 << 10.0 << "10";
    QTest::newRow("above") << 123456.0 << 10000.0 << "10000";
    QTest::newRow("fraction shown rounded") << 99.6 << 99.6 << "100";
}

void TestSpinEdit::setValueKeepsBounds() {
    QFETCH(double, value);
    QFETCH(double, stored);
    QFETCH(QString, text);
    StarCountEdit s;
    s.edit->SetValue(value);
    QCOMPARE(s.edit->text(), text);
    if (value == 99.6)
        QCOMPARE(s.edit->Value(), 100.0);  // what is shown is what is read
    else
        QCOMPARE(s.edit->Value(), stored);
}

void TestSpinEdit::arrowsStayInside_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<double>("expected");
    QTest::newRow("up to the maximum") << 9998.0 << int(Qt::Key_Up) << 5 << 10000.0;
    QTest::newRow("down to the minimum") << 12.0 << int(Qt::Key_Down) << 5 << 10.0;
    QTest::newRow("up in range") << 1000.0 << int(Qt::Key_Up) << 3 << 1003.0;
    QTest::newRow("page up clamps") << 9995.0 << int(Qt::Key_PageUp) << 1 << 10000.0;
}

void TestSpinEdit::arrowsStayInside() {
    QFETCH(double, start);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(double, expected);
    StarCountEdit s;
    QVERIFY(s.Show());
    s.edit->SetValue(start);
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(s.edit, Qt::Key(key));
    QCOMPARE(s.edit->Value(), expected);
}

void TestSpinEdit::typing_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("four digits") << "1234"
                                 << "1234" << 1234.0;
    QTest::newRow("fifth digit refused") << "12345"
                                         << "1234" << 1234.0;
    QTest::newRow("below the minimum, kept while typing") << "5"
                                                          << "5" << 5.0;
    QTest::newRow("letters refused") << "1a2b"
                                     << "12" << 12.0;
    QTest::newRow("no sign with positive bounds") << "-50"
                                                  << "50" << 50.0;
    QTest::newRow("no decimals") << "12.5"
                                 << "125" << 125.0;
    QTest::newRow("nothing reads as the minimum") << ""
                                                  << "" << 10.0;
}

void TestSpinEdit::typing() {
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(double, value);
    StarCountEdit s;
    QVERIFY(s.Show());
    s.edit->SetValue(1000);
    s.Retype(keys);
    QCOMPARE(s.edit->text(), text);
    QCOMPARE(s.edit->Value(), value);
}

void TestSpinEdit::leavingBringsTextIntoRange_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("below") << "5"
                           << "10";
    QTest::newRow("empty") << ""
                           << "10";
    QTest::newRow("leading zeros") << "0050"
                                   << "50";
    QTest::newRow("inside") << "777"
                            << "777";
}

void TestSpinEdit::leavingBringsTextIntoRange() {
    QFETCH(QString, keys);
    QFETCH(QString, text);
    StarCountEdit s;
    auto* other = new QLineEdit(&s.host);
    other->setGeometry(0, 40, 50, 20);
    QVERIFY(s.Show());
    s.Retype(keys);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(s.edit->text(), text);
}

// 10000 has five characters: the four-character limit is for typing only.
void TestSpinEdit::valueWiderThanMaxLengthShownInFull() {
    StarCountEdit s;
    QVERIFY(s.Show());
    s.edit->SetValue(9999);
    QTest::keyClick(s.edit, Qt::Key_Up);
    QCOMPARE(s.edit->text(), QStringLiteral("10000"));
    QCOMPARE(s.edit->Value(), 10000.0);
    QTest::keyClick(s.edit, Qt::Key_End);
    QTest::keyClick(s.edit, Qt::Key_5);
    QCOMPARE(s.edit->text(), QStringLiteral("10000"));
    QTest::keyClick(s.edit, Qt::Key_Backspace);
    QCOMPARE(s.edit->text(), QStringLiteral("1000"));
}

void TestSpinEdit::rightAligned() {
    StarCountEdit s;
    QCOMPARE(s.edit->Alignment(), taRightJustify);
    QVERIFY(s.edit->alignment() & Qt::AlignRight);
    QVERIFY(s.Show());
    s.edit->SetValue(10);
    // The digits sit at the right end of the box.
    const QImage image = s.edit->grab().toImage();
    const QRgb background = image.pixel(6, image.height() / 2);
    int leftmostInk = image.width();
    for (int x = 4; x < image.width() / 2; ++x)
        for (int y = 4; y < image.height() - 4; ++y)
            if (qGray(image.pixel(x, y)) < qGray(background) - 80)
                leftmostInk = qMin(leftmostInk, x);
    QCOMPARE(leftmostInk, image.width());
}

void TestSpinEdit::noBoundsWhenEqual() {
    QWidget host;
    auto* edit = new TSpinEdit(&host);
    host.show();
    host.activateWindow();
    edit->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    edit->SetValue(-123456);
    QCOMPARE(edit->Value(), -123456.0);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->Value(), -123457.0);
}

QTEST_MAIN(TestSpinEdit)
#include "tst_spinedit.moc"
