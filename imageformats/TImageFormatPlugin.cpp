// The plugin's answers to Qt: which keys it reads and writes, and a handler for a device.
#include "TImageFormatPlugin.h"

#include "NoThrow.h"
#include "PictureFormats.h"
#include "TImageFormatHandler.h"

#include <memory>

namespace Tallwick {

QImageIOPlugin::Capabilities TImageFormatPlugin::capabilities(QIODevice* device, const QByteArray& format) const {
    return NoThrow(Capabilities(), [&] {
        const QByteArray key = format.toLower();
        const TPictureFormat* named = TPictureFormats::ByKey(key);
        if (named && named->EveryQtProgram)
            return named->Write ? Capabilities(CanRead | CanWrite) : Capabilities(CanRead);
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
