#pragma once
// Reads one WMF, EMF or PCX picture from a device for Qt's image reader, or writes one PCX.
//
// Pixels are those of the picture library: metafiles drawn on white at their own size (or drawn
// at the reader's scaled size, not scaled afterwards), PCX as stored. The size is answered from
// the headers (the first 64 KiB) without drawing or reading the rest. What cannot be read gives a
// null image; the reason goes to the "tallwick.imageformats" logging category, and nothing is
// thrown back to Qt. A picture written with an alpha channel is composited on white first.
#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>

namespace Tallwick {

struct TPictureFormat;

class TImageFormatHandler : public QImageIOHandler {
public:
    bool canRead() const override;
    bool read(QImage* image) override;
    bool write(const QImage& image) override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant& value) override;
    bool supportsOption(ImageOption option) const override;

    // The key of a format offered to every Qt program ("wmf", "emf", "pcx") when the device's first
    // bytes are wholly such a header, else empty. Reads nothing from the device (peeks).
    static QByteArray FormatOf(QIODevice* device);
    static QByteArray FormatOfHeader(const QByteArray& header);

    // No file larger than this is read.
    static constexpr qint64 kMaxFileBytes = qint64(1) << 30;

private:
    // The device's bytes, read once and in full before decoding: as much as a file's size says,
    // a stream's piece by piece, never more than kMaxFileBytes.
    bool LoadBytes() const;
    // The row of the table for the picture whose first bytes these are.
    const TPictureFormat* Format(const QByteArray& start) const;
    QImage Decode() const;
    QSize NaturalSize() const;

    mutable QByteArray FBytes;
    mutable bool FLoaded = false;
    bool FScaled = false;
    QSize FScaledSize;
};

}  // namespace Tallwick
