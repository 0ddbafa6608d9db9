#pragma once
// Qt image-format plugin: every Qt program that reads pictures through QImage or QImageReader
// opens WMF, EMF and PCX files with the picture library's readers, and writes PCX through
// QImageWriter. Files are recognised by content too, so a drawing without its extension opens;
// nothing that Qt's own formats read is claimed.
#include <QImageIOPlugin>

namespace Tallwick {

class TImageFormatPlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "tallwick-imageformats.json")
public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
    QImageIOHandler* create(QIODevice* device, const QByteArray& format = QByteArray()) const override;
};

}  // namespace Tallwick
