// The saver in the user's language: the settings dialog started with LANG or LANGUAGE naming
// Spanish or Galician shows its texts in that language, and the component library's errors
// follow; English, C and languages without a translation keep the English texts. Each case runs
// this program again as a child with that environment, as the saver starts (its own start-up
// translation call); the child prints the dialog's texts and saves a picture of it.
#include "SaverTranslations.h"
#include "SettingsDialog.h"

#include <Tallwick/Application.h>
#include <Tallwick/Exception.h>
#include <Tallwick/Translator.h>
#include <Tallwick/Tveximage.h>

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <cstdio>

using namespace Tallwick;

namespace {
const char* const kChildVariable = "SKYGLOW_TRANSLATION_CHILD";  // the picture's path

// The child: the dialog's texts one a line (title, buttons, labels, check box), then the
// library's message for a picture file that is not there.
int RunChild(int argc, char** argv) {
    TApplication app(argc, argv);
    const bool translated = InstallSaverTranslations();
    TForm3 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 3;
    QStringList lines = {form.windowTitle(),       form.BitBtn1->text(),     form.BitBtn2->text(),
                         form.BitBtn3->text(),     form.StaticText3->text(), form.StaticText4->text(),
                         form.StaticText5->text(), form.StaticText1->text(), form.StaticText2->text(),
                         form.CheckBox1->text()};
    // Every text fits its control at the dialog's fixed layout.
    QStringList clipped;
    for (QWidget* control :
         std::initializer_list<QWidget*>{form.BitBtn1, form.BitBtn2, form.BitBtn3, form.StaticText1, form.StaticText2,
                                         form.StaticText3, form.StaticText4, form.StaticText5, form.CheckBox1})
        if (control->sizeHint().width() > control->width())
            clipped << QStringLiteral("%1 needs %2 px")
                           .arg(control->metaObject()->className())
                           .arg(control->sizeHint().width());
    lines << (clipped.isEmpty() ? QStringLiteral("all texts fit") : clipped.join(QStringLiteral(", ")));
    TVexImage image;
    try {
        image.LoadFromFile(QStringLiteral("/nonexistent/picture.bmp"));
        lines << QStringLiteral("no error");
    } catch (const Exception& error) {
        lines << error.Message;
    }
    lines << (translated ? QStringLiteral("translated") : QStringLiteral("English"));
    std::fputs(qPrintable(lines.join('\n') + '\n'), stdout);
    form.grab().save(qEnvironmentVariable(kChildVariable));
    return 0;
}
}  // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void dialogInUserLanguage_data();
    void dialogInUserLanguage();
    void libraryTranslatorForAnyLocale_data();
    void libraryTranslatorForAnyLocale();
};

void TestTranslations::dialogInUserLanguage_data() {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("texts");
    const QStringList english = {"Settings",
                                 "OK",
                                 "Cancel",
                                 "About...",
                                 "Background color:",
                                 "Stars color:",
                                 "Text colors:",
                                 "Number of stars:",
                                 "Speep:",
                                 "Display Batman logo",
                                 "all texts fit",
                                 "Cannot open file /nonexistent/picture.bmp",
                                 "English"};
    const QStringList spanish = {"Configuración",      "Aceptar",
                                 "Cancelar",           "Acerca de...",
                                 "Color de fondo:",    "Color de estrellas:",
                                 "Colores del texto:", "Nº de estrellas:",
                                 "Velocidad:",         "Ver el logo de Batman",
                                 "all texts fit",      "No se puede abrir el archivo /nonexistent/picture.bmp",
                                 "translated"};
    const QStringList galician = {"Configuración",   "Aceptar",
                                  "Cancelar",        "Acerca de...",
                                  "Cor de fondo:",   "Cor das estrelas:",
                                  "Cores do texto:", "Nº de estrelas:",
                                  "Velocidade:",     "Ver o logo de Batman",
                                  "all texts fit",   "Non se pode abrir o ficheiro /nonexistent/picture.bmp",
                                  "translated"};
    QTest::newRow("es") << "es_ES.UTF-8"
                        << "" << spanish;
    QTest::newRow("gl") << "gl_ES.UTF-8"
                        << "" << galician;
    QTest::newRow("Spanish of Mexico") << "es_MX.UTF-8"
                                       << "" << spanish;
    QTest::newRow("LANGUAGE before LANG") << "es_ES.UTF-8"
                                          << "gl:es" << galician;
    QTest::newRow("LANGUAGE's first known") << "en_US.UTF-8"
                                            << "fr:gl" << galician;
    QTest::newRow("en") << "en_GB.UTF-8"
                        << "" << english;
    QTest::newRow("C") << "C"
                       << "" << english;
    QTest::newRow("untranslated language") << "fr_FR.UTF-8"
                                           << "" << english;
}

void TestTranslations::dialogInUserLanguage() {
    QFETCH(QString, lang);
    QFETCH(QString, language);
    QFETCH(QStringList, texts);
    const QString picture =
        QStringLiteral("settings-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    if (!language.isEmpty())
        environment.insert(QStringLiteral("LANGUAGE"), language);
    environment.insert(QString::fromLatin1(kChildVariable), QDir::current().absoluteFilePath(picture));
    QFile::remove(picture);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, texts);
    // The picture shows the dialog at its fixed size with its texts drawn, not a blank window.
    const QImage shot = QImage(picture).convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(shot.size(), QSize(361, 273));
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            dark += shot.pixelColor(x, y).value() < 64;
    QVERIFY2(dark > 300, qPrintable(QStringLiteral("%1 dark pixels").arg(dark)));
}

// installTranslator() follows the locale it is given; English and unknown languages need none.
void TestTranslations::libraryTranslatorForAnyLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("text");
    QTest::newRow("es") << "es_ES" << true << "no hay cabecera";
    QTest::newRow("gl") << "gl_ES" << true << "non hai cabeceira";
    QTest::newRow("en") << "en_US" << false << "no header";
    QTest::newRow("de") << "de_DE" << false << "no header";
}

void TestTranslations::libraryTranslatorForAnyLocale() {
    QFETCH(QString, locale);
    QFETCH(bool, installed);
    QFETCH(QString, text);
    QCOMPARE(installTranslator(QLocale(locale)), installed);
    QCOMPARE(QCoreApplication::translate("Tallwick", "no header"), text);
    QVERIFY(QFile::exists(translationsPath() + QStringLiteral("/tallwick_es.qm")));
    QVERIFY(QFile::exists(translationsPath() + QStringLiteral("/tallwick_gl.qm")));
    // The next case starts from the English texts again.
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        delete translator;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(kChildVariable))
        return RunChild(argc, argv);
    TApplication app(argc, argv);
    TestTranslations test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
