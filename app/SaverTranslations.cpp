// Loads the saver's compiled translation (a resource of the program) beside the library's.
#include "SaverTranslations.h"

#include <Tallwick/Translator.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace Tallwick {

bool InstallSaverTranslations() {
    if (!QCoreApplication::instance())
        return false;
    installTranslator();
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(), QStringLiteral("skyglow"), QStringLiteral("_"),
                         QStringLiteral(":/skyglow/translations")) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

}  // namespace Tallwick
