#pragma once
/// \file
/// Where no design environment exists, registering a component makes its class known under its
/// palette page name; the designer plugin lists the same classes.
#include <Tallwick/TallwickExport.h>
#include <QString>
#include <QStringList>

namespace Tallwick {

TALLWICK_EXPORT void RegisterComponent(const QString& page, const QString& className);
TALLWICK_EXPORT QStringList RegisteredComponents(const QString& page);

}  // namespace Tallwick
