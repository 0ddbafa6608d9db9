// XScreenSaver's option file for the saver: it parses, offers the seven settings with the saver's
// defaults, and every argument its settings dialog can put on the command line is accepted, by the
// parser and by the program itself.
#include "CommandLine.h"

#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Tallwick;

namespace {
// One control of the file: its id and the argument lists it can produce (an empty list for a
// choice that adds nothing, the default).
struct Control {
    QString Kind;
    QString Id;
    QList<QStringList> Arguments;
    QString Default;  // numbers: the default value
};

QStringList Words(const QString& text) { return text.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

struct OptionFile {
    QString Name, Label, Command;
    QList<Control> Controls;
    QString Error;
};

// A slider's argument at its ends, its default and half-way.
Control NumberControl(const QXmlStreamAttributes& a) {
    Control control{"number", a.value("id").toString(), {}, a.value("default").toString()};
    const int low = a.value("low").toInt(), high = a.value("high").toInt();
    for (int value : {low, high, (low + high) / 2, a.value("default").toInt()})
        control.Arguments << Words(a.value("arg").toString().replace("%", QString::number(value)));
    return control;
}

OptionFile Read(const QString& path) {
    OptionFile file;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        file.Error = "cannot open " + path;
        return file;
    }
    QXmlStreamReader xml(&in);
    Control* select = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("select"))
                select = nullptr;
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView name = xml.name();
        if (name == QLatin1String("screensaver")) {
            file.Name = a.value("name").toString();
            file.Label = a.value("_label").toString();
        } else if (name == QLatin1String("command")) {
            file.Command = a.value("arg").toString();
        } else if (name == QLatin1String("number")) {
            file.Controls << NumberControl(a);
        } else if (name == QLatin1String("boolean")) {
            Control control{"boolean", a.value("id").toString(), {{}}, {}};
            for (const char* which : {"arg-set", "arg-unset"})
                if (a.hasAttribute(which))
                    control.Arguments << Words(a.value(which).toString());
            file.Controls << control;
        } else if (name == QLatin1String("select")) {
            file.Controls << Control{"select", a.value("id").toString(), {}, {}};
            select = &file.Controls.last();
        } else if (name == QLatin1String("option") && select) {
            select->Arguments << Words(a.value("arg-set").toString());
        }
    }
    if (xml.hasError())
        file.Error = xml.errorString() + " at line " + QString::number(xml.lineNumber());
    return file;
}
}  // namespace

class TestOptionFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void offersTheSevenSettings();
    void everyArgumentIsAccepted_data();
    void everyArgumentIsAccepted();

private:
    OptionFile file;
};

void TestOptionFile::initTestCase() {
    file = Read(SKYGLOW_OPTION_FILE);
    QVERIFY2(file.Error.isEmpty(), qPrintable(file.Error));
}

void TestOptionFile::offersTheSevenSettings() {
    QCOMPARE(file.Name, "skyglow");
    QCOMPARE(file.Label, "Skyglow II");
    QCOMPARE(file.Command, "--root");
    QStringList ids;
    for (const Control& control : file.Controls)
        ids << control.Kind + ":" + control.Id;
    ids.sort();
    QCOMPARE(ids, (QStringList{"boolean:logo", "number:speed", "number:stars", "select:background",
                               "select:shadow-color", "select:star-color", "select:text-color"}));
    for (const Control& control : file.Controls) {
        if (control.Kind == "number")
            QCOMPARE(control.Default, control.Id == "stars" ? "1000" : "50");
        if (control.Kind == "select") {
            // The first choice adds nothing: the saver's own default colour.
            QVERIFY2(control.Arguments.first().isEmpty(), qPrintable(control.Id));
            QVERIFY(control.Arguments.size() >= 3);
        }
    }
}

void TestOptionFile::everyArgumentIsAccepted_data() {
    QTest::addColumn<QStringList>("arguments");
    QStringList all;
    for (const Control& control : file.Controls)
        for (const QStringList& arguments : control.Arguments) {
            QTest::addRow("%s %s", qPrintable(control.Id), qPrintable(arguments.join(' '))) << arguments;
            all << arguments;
        }
    QTest::newRow("all at once") << all;
}

// After "--root", as XScreenSaver starts the program, and after "--root --window-id", as its
// settings dialog starts the preview. The program itself reads them all and stops at the --help
// put after them, which it reaches only when everything before it was good.
void TestOptionFile::everyArgumentIsAccepted() {
    QFETCH(QStringList, arguments);
    for (const QStringList& start : {QStringList{"--root"}, QStringList{"--root", "--window-id", "0x2a"}}) {
        const TCommandLine command = ParseCommandLine(start + arguments, "0x400007");
        QVERIFY2(command.Action == caRun, qPrintable(command.Error));
    }
    QProcess program;
    program.start(SKYGLOW_EXE, QStringList{"--root"} + arguments + QStringList{"--help"});
    QVERIFY(program.waitForFinished(15000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TestOptionFile)
#include "tst_option_file.moc"
