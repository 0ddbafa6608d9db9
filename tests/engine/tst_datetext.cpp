// The date and time under the text of the frame, named in the language of the user's time
// locale. Built twice: for the C locale (English names) and for a Spanish LC_TIME.
#include "StarsScene.h"

#include <QTest>

using namespace Tallwick;

class TestDateText : public QObject {
    Q_OBJECT
private slots:
    void namesFollowTheTimeLocale_data();
    void namesFollowTheTimeLocale();
    void textChangesWithTheSecond();
};

void TestDateText::namesFollowTheTimeLocale_data() {
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
#ifdef SPANISH_TIME_LOCALE
    QTest::newRow("saturday in june") << "2024-06-01 13:05:09" << QString::fromUtf8("sábado, 01 junio 2024")
                                      << "13:05:09";
    QTest::newRow("wednesday in december")
        << "2025-12-31 23:59:59" << QString::fromUtf8("miércoles, 31 diciembre 2025") << "23:59:59";
#else
    QTest::newRow("saturday in june") << "2024-06-01 13:05:09"
                                      << "Saturday, 01 June 2024"
                                      << "13:05:09";
    QTest::newRow("24-hour clock") << "2025-12-31 23:59:59"
                                   << "Wednesday, 31 December 2025"
                                   << "23:59:59";
    QTest::newRow("midnight, leap day") << "2024-02-29 00:00:00"
                                        << "Thursday, 29 February 2024"
                                        << "00:00:00";
    QTest::newRow("morning single digits") << "2023-01-02 07:08:09"
                                           << "Monday, 02 January 2023"
                                           << "07:08:09";
#endif
}

void TestDateText::namesFollowTheTimeLocale() {
    QFETCH(QString, clock);
    QFETCH(QString, date);
    QFETCH(QString, time);
    StarsScene scene(320, 240);
    const QDateTime when = FixedTime(clock);
    scene.Stars.Clock = [when] { return when; };
    scene.Stars.DrawFrame();
    QCOMPARE(scene.Stars.DateText(), date);
    QCOMPARE(scene.Stars.TimeText(), time);
}

void TestDateText::textChangesWithTheSecond() {
    StarsScene scene(320, 240);
    QDateTime when = FixedTime(QStringLiteral("2024-06-01 23:59:59"));
    scene.Stars.Clock = [&when] { return when; };
    scene.Stars.DrawFrame();
    const QImage before = scene.Image();
    when = when.addSecs(1);
    scene.Stars.DrawFrame();
    QCOMPARE(scene.Stars.TimeText(), QStringLiteral("00:00:00"));
    QVERIFY(scene.Stars.DateText().contains(QLatin1String("02")));
    QVERIFY(scene.Image() != before);
}

QTEST_MAIN(TestDateText)
#include "tst_datetext.moc"
