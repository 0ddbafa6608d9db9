// One component as Designer sees it, described by its line in the component table.
#include "ComponentPlugin.h"

#include "ComponentIcon.h"

#include <QWidget>

namespace Tallwick {

TComponentPlugin::TComponentPlugin(const TComponentInfo& info, QObject* parent) : QObject(parent), FInfo(info) {}

QWidget* TComponentPlugin::createWidget(QWidget* parent) {
    QWidget* widget = qobject_cast<QWidget*>(FInfo.Create(parent));
    widget->resize(FInfo.DefaultSize);
    return widget;
}

QIcon TComponentPlugin::icon() const {
    if (FIcon.isNull())
        FIcon = ComponentIcon(FInfo);
    return FIcon;
}

QString TComponentPlugin::domXml() const {
    QString objectName = QString::fromLatin1(FInfo.Name).mid(1);
    objectName[0] = objectName[0].toLower();
    return QStringLiteral(
               "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\"><property name=\"geometry\"><rect>"
               "<x>0</x><y>0</y><width>%3</width><height>%4</height></rect></property></widget></ui>")
        .arg(name(), objectName)
        .arg(FInfo.DefaultSize.width())
        .arg(FInfo.DefaultSize.height());
}

}  // namespace Tallwick
