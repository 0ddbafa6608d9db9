// Qt image-format plugin: WMF, EMF and PCX for every Qt program that reads pictures through QImage.
#include "TImageFormatPlugin.h"

#include "TImageFormatHandler.h"

namespace Tallwick {

QImageIOPlugin::Capabilities TImageFormatPlugin::capabilities(QIODevice* device, const QByteArray& format) const {
    const QByteArray key = format.toLower();
    if (key == "pcx")
        return CanRead | CanWrite;
    if (key == "wmf" || key == "emf")
        return CanRead;
    if (!key.isEmpty() || !device || !device->isOpen() || !device->isReadable())
        return {};
    return TImageFormatHandler::FormatOf(device).isEmpty() ? Capabilities() : Capabilities(CanRead);
}

QImageIOHandler* TImageFormatPlugin::create(QIODevice* device, const QByteArray& format) const {
    auto* handler = new TImageFormatHandler;
    handler->setDevice(device);
    handler->setFormat(format.isEmpty() && device ? TImageFormatHandler::FormatOf(device) : format.toLower());
    return handler;
}

}  // namespace Tallwick
