#include "ComponentPlugin.h"

#include <QIcon>

namespace Tallwick {

TComponentPlugin::TComponentPlugin(const QString& className, const QString& header, const QString& toolTip,
                                   Factory factory, QObject* parent)
    : QObject(parent), FClassName(className), FHeader(header), FToolTip(toolTip), FFactory(std::move(factory)) {}

QString TComponentPlugin::group() const { return QStringLiteral("Tallwick"); }

QIcon TComponentPlugin::icon() const { return QIcon(); }

}  // namespace Tallwick
