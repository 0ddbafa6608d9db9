#pragma once
// One component as Designer sees it, described by its line in the component table: qualified
// class name, header, group "Tallwick", tooltip, default size, and an icon drawn by the component
// itself.
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <Tallwick/ComponentTable.h>

namespace Tallwick {

class TComponentPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    TComponentPlugin(const TComponentInfo& info, QObject* parent);

    QString name() const override { return FInfo.QualifiedName(); }
    QString group() const override { return QString::fromLatin1(kPaletteName); }
    QString toolTip() const override { return QString::fromUtf8(FInfo.ToolTip); }
    QString whatsThis() const override { return toolTip(); }
    QString includeFile() const override { return QString::fromLatin1(FInfo.Header); }
    QIcon icon() const override;
    QString domXml() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface*) override { FInitialized = true; }

private:
    const TComponentInfo& FInfo;
    mutable QIcon FIcon;
    bool FInitialized = false;
};

}  // namespace Tallwick
