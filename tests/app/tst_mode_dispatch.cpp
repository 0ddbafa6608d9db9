// The start mode from the command line.
#include "ModeDispatch.h"

#include <QtTest>

using namespace Tallwick;

class TestModeDispatch : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestModeDispatch::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::newRow("/s") << QStringList{"/s"} << int(mdSaver);
    QTest::newRow("/S") << QStringList{"/S"} << int(mdSaver);
    QTest::newRow("/s extra") << QStringList{"/s", "extra"} << int(mdSaver);
    QTest::newRow("/p 1234") << QStringList{"/p", "1234"} << int(mdPreview);
    QTest::newRow("/P 1234") << QStringList{"/P", "1234"} << int(mdPreview);
    QTest::newRow("/p without id") << QStringList{"/p"} << int(mdPreview);
    QTest::newRow("/c") << QStringList{"/c"} << int(mdSettings);
    QTest::newRow("/c:1234") << QStringList{"/c:1234"} << int(mdSettings);
    QTest::newRow("x/cy") << QStringList{"x/cy"} << int(mdSettings);
    QTest::newRow("/C") << QStringList{"/C"} << int(mdNone);
    QTest::newRow("/C:1234") << QStringList{"/C:1234"} << int(mdNone);
    QTest::newRow("/sx") << QStringList{"/sx"} << int(mdNone);
    QTest::newRow("-s") << QStringList{"-s"} << int(mdNone);
    QTest::newRow("/a") << QStringList{"/a"} << int(mdNone);
    QTest::newRow("no argument") << QStringList{} << int(mdNone);
    QTest::newRow("empty argument") << QStringList{""} << int(mdNone);
    QTest::newRow("only the first argument counts") << QStringList{"/a", "/s"} << int(mdNone);
    QTest::newRow("non-ASCII capital is not lowered") << QStringList{QString::fromUtf8("/\u015A")} << int(mdNone);
}

void TestModeDispatch::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QCOMPARE(int(ParseMode(arguments)), mode);
}

QTEST_MAIN(TestModeDispatch)
#include "tst_mode_dispatch.moc"
