// Face names of the original desktop mapped to installed, metric-compatible faces.
#include "FontSubstitutions.h"

#include <QFont>

namespace Tallwick {

// Qt takes a substitute only when the face itself is missing, so a desktop that has the
// original faces keeps them.
void InstallFontSubstitutions() {
    static const bool installed = [] {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
#ifdef Q_OS_WIN
        // Windows has these faces; a Windows without them (Wine) has no fontconfig to stand in.
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
#endif
        return true;
    }();
    (void)installed;
}

}  // namespace Tallwick
