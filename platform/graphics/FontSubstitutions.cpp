// Face names of the original desktop mapped to installed, metric-compatible faces.
#include "FontSubstitutions.h"

#include <QFont>

namespace Tallwick {

void InstallFontSubstitutions() {
    static const bool installed = [] {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)installed;
}

}  // namespace Tallwick
