// The plugin's answers to Qt: which keys it reads and writes, and a handler for a device.
#include "TImageFormatPlugin.h"

#include "NoThrow.h"
#include "TImageFormatHandler.h"

#include <memory>

namespace Tallwick {

QImageIOPlugin::Capabilities TImageFormatPlugin::capabilities(QIODevice* device, const QByteArray& format) const {
    return NoThrow(Capabilities(), [&] {
        const QByteArray key = format.toLower();
        if (key == "pcx")
            return Capabilities(CanRead | CanWrite);
        if (key == "wmf" || key == "emf")
            return Capabilities(CanRead);
        if (!key.isEmpty() || !device || !device->isOpen() || !device->isReadable())
            return Capabilities();
        return TImageFormatHandler::FormatOf(device).isEmpty() ? Capabilities() : Capabilities(CanRead);
    });
}

QImageIOHandler* TImageFormatPlugin::create(QIODevice* device, const QByteArray& format) const {
    return NoThrow<QImageIOHandler*>(nullptr, [&] {
        auto handler = std::make_unique<TImageFormatHandler>();
        handler->setDevice(device);
        handler->setFormat(format.isEmpty() && device ? TImageFormatHandler::FormatOf(device) : format.toLower());
        return handler.release();
    });
}

}  // namespace Tallwick
