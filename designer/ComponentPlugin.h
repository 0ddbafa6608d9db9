#pragma once
// One component as Designer sees it: its class, header, group "Tallwick" and a way to make one.
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

namespace Tallwick {

class TComponentPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    using Factory = std::function<QWidget*(QWidget* parent)>;
    TComponentPlugin(const QString& className, const QString& header, const QString& toolTip, Factory factory,
                     QObject* parent);

    QString name() const override { return FClassName; }
    QString group() const override;
    QString toolTip() const override { return FToolTip; }
    QString whatsThis() const override { return FToolTip; }
    QString includeFile() const override { return FHeader; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return FFactory(parent); }
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface*) override { FInitialized = true; }

private:
    QString FClassName;
    QString FHeader;
    QString FToolTip;
    Factory FFactory;
    bool FInitialized = false;
};

}  // namespace Tallwick
