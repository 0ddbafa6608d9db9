#pragma once
// Where no design environment exists, registering a component makes its class known under its
// palette page name; the designer plugin lists the same classes.
#include <QString>
#include <QStringList>

namespace Tallwick {

void RegisterComponent(const QString& page, const QString& className);
QStringList RegisteredComponents(const QString& page);

}  // namespace Tallwick
