// Face names of the original desktop mapped to installed, metric-compatible faces.
#include "FontSubstitutions.h"

#include <QFont>

namespace Tallwick {

// Windows has the original faces themselves: nothing is substituted there.
void InstallFontSubstitutions() {
#ifndef Q_OS_WIN
    static const bool installed = [] {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)installed;
#endif
}

}  // namespace Tallwick
