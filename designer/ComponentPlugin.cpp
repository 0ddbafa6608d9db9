#include "ComponentPlugin.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <memory>

namespace Tallwick {

TComponentPlugin::TComponentPlugin(const TComponentInfo& info, QObject* parent) : QObject(parent), FInfo(info) {}

QWidget* TComponentPlugin::createWidget(QWidget* parent) {
    QWidget* widget = qobject_cast<QWidget*>(FInfo.Create(parent));
    widget->resize(FInfo.DefaultSize);
    return widget;
}

// The component drawn at its default size, scaled into a 24 x 24 icon with a thin frame.
QIcon TComponentPlugin::icon() const {
    if (!FIcon.isNull())
        return FIcon;
    std::unique_ptr<QObject> component(FInfo.Create(nullptr));
    auto* widget = qobject_cast<QWidget*>(component.get());
    if (!widget)
        return FIcon;
    widget->resize(FInfo.DefaultSize);
    const QPixmap face = widget->grab().scaled(22, 22, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap icon(24, 24);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const QPoint at((24 - face.width()) / 2, (24 - face.height()) / 2);
    painter.drawPixmap(at, face);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(QRect(at - QPoint(1, 1), face.size() + QSize(1, 1)));
    painter.end();
    FIcon = QIcon(icon);
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
