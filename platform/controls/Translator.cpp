// Finds and installs the library's compiled translation (built into it as a resource) and Qt's
// own for the languages of a locale.
#include "Translator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

// Q_INIT_RESOURCE must stand outside any namespace; the compiled translations live in an object
// library, whose resources are registered on first use.
static void RegisterTranslations() { Q_INIT_RESOURCE(tallwick_translations); }

namespace Tallwick {

namespace {
// Loads <prefix>_<language>.qm from folder for the first of the locale's languages that has one;
// the translator belongs to the application from then on.
bool InstallFirstFound(const QLocale& locale, const QString& prefix, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, prefix, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
}  // namespace

QString translationsPath() {
    static const bool registered = (RegisterTranslations(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/tallwick/translations");
}

bool installTranslator(const QLocale& locale) {
    if (!QCoreApplication::instance())
        return false;
    InstallFirstFound(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return InstallFirstFound(locale, QStringLiteral("tallwick"), translationsPath());
}

}  // namespace Tallwick
