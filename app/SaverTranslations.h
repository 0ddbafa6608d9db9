#pragma once
// The saver's texts in the user's language.

namespace Tallwick {

// Installs the saver's translation, the component library's and Qt's own for the user's
// languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG); English needs none. Call it once the
// application object exists. Returns true when a translation of the saver was installed.
bool InstallSaverTranslations();

}  // namespace Tallwick
