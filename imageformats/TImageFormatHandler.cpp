// Qt's reader and writer for WMF, EMF and PCX: recognising, sizing and reading a picture from any
// device, within bounded memory, and writing PCX; nothing thrown reaches Qt.
#include "TImageFormatHandler.h"

#include "NoThrow.h"
#include "PictureFormats.h"
#include "PictureLimits.h"

#include <Tallwick/Exception.h>
#include <QGuiApplication>
#include <QPainter>
#include <QVariant>

Q_LOGGING_CATEGORY(lcTallwickImageFormats, "tallwick.imageformats")

namespace Tallwick {

namespace {
constexpr int kHeaderBytes = 128;  // the longest header recognised (PCX)
// The size is read from at most this much of the file's start: the headers, and for a WMF without
// a placeable header the records up to the first window extent it sets.
constexpr qint64 kSizeBytes = 1 << 16;
// Devices are read this much at a time.
constexpr qint64 kPieceBytes = 1 << 16;

const std::uint8_t* Bytes(const QByteArray& b) { return reinterpret_cast<const std::uint8_t*>(b.constData()); }

// The format offered to every Qt program whose header the bytes are, or null.
const TPictureFormat* PluginFormatOf(const QByteArray& header) {
    const TPictureFormat* format = TPictureFormats::ByContent(Bytes(header), header.size());
    return format && format->EveryQtProgram ? format : nullptr;
}

[[noreturn]] void Refuse(const QString& message) { throw EInvalidGraphicOperation(message); }

// The titles of the formats the plugin writes, as "PCX".
QString WrittenTitles() {
    QStringList titles;
    for (const TPictureFormat& f : TPictureFormats::All())
        if (f.EveryQtProgram && f.Write)
            titles << QLatin1String(f.Title);
    return titles.join(QLatin1String(" or "));
}

void ReportTooLarge() {
    qCWarning(lcTallwickImageFormats, "The file is larger than %lld bytes", TImageFormatHandler::kMaxFileBytes);
}

// The rest of the device, read piece by piece until it has no more: for a file, into room for
// what its size says; for a stream, growing with what arrives. Empty when that is over the bound.
QByteArray ReadRest(QIODevice* d) {
    QByteArray bytes;
    if (!d->isSequential()) {
        const qint64 left = d->size() - d->pos();
        if (left > TImageFormatHandler::kMaxFileBytes) {
            ReportTooLarge();
            return QByteArray();
        }
        bytes.reserve(left);
    }
    QByteArray piece(kPieceBytes, Qt::Uninitialized);
    for (qint64 n; (n = d->read(piece.data(), kPieceBytes)) > 0;) {
        if (bytes.size() + n > TImageFormatHandler::kMaxFileBytes) {
            ReportTooLarge();
            return QByteArray();
        }
        bytes.append(piece.constData(), n);
    }
    return bytes;
}
}  // namespace

QByteArray TImageFormatHandler::FormatOf(QIODevice* device) {
    return device ? FormatOfHeader(device->peek(kHeaderBytes)) : QByteArray();
}

QByteArray TImageFormatHandler::FormatOfHeader(const QByteArray& header) {
    const TPictureFormat* format = PluginFormatOf(header);
    return format ? QByteArray(format->Key) : QByteArray();
}

// What the bytes are by content, or else what the reader was told (a file named .pcx that is no
// PCX is then refused by the PCX reader, with its reason).
const TPictureFormat* TImageFormatHandler::Format(const QByteArray& start) const {
    const TPictureFormat* byContent = PluginFormatOf(start);
    const TPictureFormat* byName = TPictureFormats::ByKey(format());
    return byContent ? byContent : byName && byName->EveryQtProgram ? byName : nullptr;
}

// Once the picture has been read the device is at its end; its bytes are kept here.
bool TImageFormatHandler::canRead() const {
    return NoThrow(false, [this] {
        const QByteArray format = FLoaded ? FormatOfHeader(FBytes.left(kHeaderBytes)) : FormatOf(device());
        if (format.isEmpty())
            return false;
        const_cast<TImageFormatHandler*>(this)->setFormat(format);
        return true;
    });
}

// The bytes are kept only once all of them were read: a failure, a thrown allocation included,
// leaves none.
bool TImageFormatHandler::LoadBytes() const {
    if (FLoaded)
        return !FBytes.isEmpty();
    FLoaded = true;
    QIODevice* d = device();
    if (!d || !d->isReadable())
        return false;
    FBytes = ReadRest(d);
    return !FBytes.isEmpty();
}

// From the start of the file only (peeked, so the picture can still be read); the headers
// readers throw for what they cannot make out, which has no size.
QSize TImageFormatHandler::NaturalSize() const {
    const QByteArray start = FLoaded ? FBytes.left(kSizeBytes) : device() ? device()->peek(kSizeBytes) : QByteArray();
    const TPictureFormat* format = Format(start);
    if (!format || !format->Size)
        return QSize();
    try {
        return format->Size(Bytes(start), start.size());
    } catch (const Exception& e) {
        qCWarning(lcTallwickImageFormats, "%s", e.what());
        return QSize();
    }
}

// The picture at its own size or the scaled size: a drawing drawn at that size, a bitmap scaled.
// Throws what the readers throw.
QImage TImageFormatHandler::Decode() const {
    if (FScaled &&
        !TPictureLimits::Acceptable(FScaledSize.width(), FScaledSize.height(), TPictureLimits::kMaxPixels, 1))
        Refuse(QStringLiteral("Cannot make a picture of %1 x %2 pixels")
                   .arg(FScaledSize.width())
                   .arg(FScaledSize.height()));
    const TPictureFormat* format = Format(FBytes.left(kHeaderBytes));
    if (!format)
        Refuse(QStringLiteral("Not a picture of the formats read here"));
    const std::uint8_t* data = Bytes(FBytes);
    if (format->DrawAt) {
        // Text in drawings needs fonts, which only a QGuiApplication has.
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            Refuse(QStringLiteral("Drawing a metafile needs a QGuiApplication"));
        return FScaled ? format->DrawAt(data, FBytes.size(), FScaledSize)
                       : format->Read(data, FBytes.size(), QString());
    }
    const QImage image = format->Read(data, FBytes.size(), QString());
    if (!FScaled || FScaledSize == image.size())
        return image;
    return image.scaled(FScaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

bool TImageFormatHandler::read(QImage* image) {
    return NoThrow(false, [&] {
        if (!LoadBytes()) {
            qCWarning(lcTallwickImageFormats, "No picture to read");
            return false;
        }
        *image = Decode();
        return !image->isNull();
    });
}

bool TImageFormatHandler::write(const QImage& image) {
    return NoThrow(false, [&] {
        const TPictureFormat* format = TPictureFormats::ByKey(this->format());
        if (!format || !format->EveryQtProgram || !format->Write)
            Refuse(QStringLiteral("Only %1 is written").arg(WrittenTitles()));
        if (image.isNull() || image.width() <= 0 || image.height() <= 0)
            Refuse(QStringLiteral("Cannot write a picture of %1 x %2 pixels as %3")
                       .arg(image.width())
                       .arg(image.height())
                       .arg(QLatin1String(format->Title)));
        // The formats written have no alpha: transparent parts come out on white, as the library
        // shows them.
        QImage flat = TPictureLimits::NewImage(image.width(), image.height());
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        painter.end();
        const QByteArray bytes = format->Write(flat);
        return device() && device()->write(bytes) == bytes.size();
    });
}

QVariant TImageFormatHandler::option(ImageOption option) const {
    return NoThrow(QVariant(), [&] {
        switch (option) {
        case Size: {
            const QSize size = NaturalSize();
            return size.isValid() ? QVariant(size) : QVariant();
        }
        case ImageFormat: return QVariant(QImage::Format_RGB32);
        case ScaledSize: return FScaled ? QVariant(FScaledSize) : QVariant();
        default: return QVariant();
        }
    });
}

void TImageFormatHandler::setOption(ImageOption option, const QVariant& value) {
    if (option == ScaledSize) {
        FScaled = true;
        FScaledSize = value.toSize();
    }
}

bool TImageFormatHandler::supportsOption(ImageOption option) const {
    return option == Size || option == ScaledSize || option == ImageFormat;
}

}  // namespace Tallwick
