// The start mode, chosen from the first command-line argument alone.
#include "ModeDispatch.h"

namespace Tallwick {

namespace {
// Only the ASCII letters are lowered, as the original's conversion did.
QString AsciiLower(const QString& text) {
    QString lowered = text;
    for (QChar& c : lowered)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lowered;
}
}  // namespace

TMode ParseMode(const QStringList& arguments) {
    if (arguments.isEmpty())
        return mdNone;
    const QString first = arguments.first();
    const QString lowered = AsciiLower(first);
    if (lowered == QLatin1String("/s"))
        return mdSaver;
    if (lowered == QLatin1String("/p"))
        return mdPreview;
    if (first.contains(QLatin1String("/c")))
        return mdSettings;
    return mdNone;
}

}  // namespace Tallwick
