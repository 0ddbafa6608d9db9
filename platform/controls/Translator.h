#pragma once
// The library's texts (error messages, component texts) in the user's language.
#include <Tallwick/TallwickExport.h>

#include <QLocale>
#include <QString>

namespace Tallwick {

/// \brief Installs the library's translation for the user's language on the application.
///
/// The languages are those of \a locale, by default the user's (on Linux from the environment:
/// `LANGUAGE`, then `LC_ALL`, `LC_MESSAGES` and `LANG`); the first one the library is translated
/// into wins (Galician and Spanish; English needs none). Qt's own translation of its dialogs'
/// buttons is installed too where the system has it. Call it once the application object exists.
/// The translations are built into the library; translationsPath() names their resource folder.
/// \return true when a translation of the library was installed.
TALLWICK_EXPORT bool installTranslator(const QLocale& locale = QLocale());

/// The resource folder of the library's compiled translations, `tallwick_<language>.qm` each.
TALLWICK_EXPORT QString translationsPath();

}  // namespace Tallwick
