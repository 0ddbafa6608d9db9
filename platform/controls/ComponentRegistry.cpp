// Where no design environment exists, registering a component makes its class known under its
// palette page name; the designer plugin lists the same classes.
#include "ComponentRegistry.h"

#include <QMap>

namespace Tallwick {

namespace {
QMap<QString, QStringList>& Pages() {
    static QMap<QString, QStringList> pages;
    return pages;
}
}  // namespace

void RegisterComponent(const QString& page, const QString& className) {
    QStringList& classes = Pages()[page];
    if (!classes.contains(className))
        classes.append(className);
}

QStringList RegisteredComponents(const QString& page) { return Pages().value(page); }

}  // namespace Tallwick
