// The benchmark program's output: Google Benchmark's standard format flags are honoured, the
// ratios follow the console format only, and no colour codes reach output that is not a terminal.
// (What the numbers say is the benchmark's business; here only their form is checked.)
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QStringList kQuick = {"--benchmark_filter=^BM_Fill/1024/768$|^BM_DrawFrame/1024/768/1000$",
                            "--benchmark_min_time=0.01"};
const QList<QByteArray> kNames = {"BM_Fill/1024/768", "BM_DrawFrame/1024/768/1000"};

enum Form { fmConsole, fmJson, fmCsv };

// The two benchmarks' results are there, in the given form.
bool HasResults(const QByteArray& text, Form form) {
    if (form == fmJson) {
        const QJsonArray runs = QJsonDocument::fromJson(text).object().value("benchmarks").toArray();
        return runs.size() == 2 && runs[0].toObject().value("name").toString().toUtf8() == kNames[0] &&
               runs[1].toObject().value("name").toString().toUtf8() == kNames[1];
    }
    if (form == fmCsv) {
        // A file starts with the machine's description, stdout with the header.
        const QByteArray header = "name,iterations,real_time,cpu_time";
        return (text.startsWith(header) || text.contains("\n" + header)) && text.contains("\n\"" + kNames[0] + "\",") &&
               text.contains("\n\"" + kNames[1] + "\",");
    }
    const QByteArray plain = QString::fromUtf8(text).remove(QRegularExpression("\x1b\\[[0-9;]*m")).toUtf8();
    return plain.contains("\n" + kNames[0] + " ") && plain.contains("\n" + kNames[1] + " ");
}
}  // namespace

Q_DECLARE_METATYPE(Form)

class TestSkyglowBench : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
};

void TestSkyglowBench::formats_data() {
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<Form>("shown");   // on stdout
    QTest::addColumn<int>("written");  // in the --benchmark_out file; -1: no file
    QTest::addColumn<bool>("colour");
    QTest::newRow("no flag") << QStringList{} << fmConsole << -1 << false;
    QTest::newRow("console") << QStringList{"--benchmark_format=console"} << fmConsole << -1 << false;
    QTest::newRow("json") << QStringList{"--benchmark_format=json"} << fmJson << -1 << false;
    QTest::newRow("csv") << QStringList{"--benchmark_format=csv"} << fmCsv << -1 << false;
    QTest::newRow("console, json file") << QStringList{"--benchmark_out_format=json"} << fmConsole << int(fmJson)
                                        << false;
    QTest::newRow("console, csv file") << QStringList{"--benchmark_out_format=csv"} << fmConsole << int(fmCsv) << false;
    QTest::newRow("json, console file") << QStringList{"--benchmark_format=json", "--benchmark_out_format=console"}
                                        << fmJson << int(fmConsole) << false;
    QTest::newRow("colour asked for") << QStringList{"--benchmark_color=true"} << fmConsole << -1 << true;
}

void TestSkyglowBench::formats() {
    QFETCH(QStringList, flags);
    QFETCH(Form, shown);
    QFETCH(int, written);
    QFETCH(bool, colour);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("out");
    if (written >= 0)
        flags << "--benchmark_out=" + file;
    QProcess bench;
    bench.start(QStringLiteral(SKYGLOW_BENCH), kQuick + flags);
    QVERIFY(bench.waitForFinished(120000));
    QCOMPARE(bench.exitStatus(), QProcess::NormalExit);
    QCOMPARE(bench.exitCode(), 0);
    const QByteArray out = bench.readAllStandardOutput();
    QVERIFY2(HasResults(out, shown), out.constData());
    // The ratios belong to the console format alone.
    QCOMPARE(out.contains("Ratios within this run:\nBM_DrawFrame/1024/768/1000 "), shown == fmConsole);
    QCOMPARE(out.contains("\x1b["), colour);
    if (written < 0)
        return;
    QFile result(file);
    QVERIFY(result.open(QIODevice::ReadOnly));
    const QByteArray text = result.readAll();
    QVERIFY2(HasResults(text, Form(written)), text.constData());
    QVERIFY(!text.contains("Ratios"));
    QVERIFY(!text.contains("\x1b["));
}

QTEST_GUILESS_MAIN(TestSkyglowBench)
#include "tst_skyglowbench.moc"
