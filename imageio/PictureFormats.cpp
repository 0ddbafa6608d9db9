// The table of picture formats made from PictureFormats.def, with the few calls that adapt a
// codec to the table's shape.
#include "PictureFormats.h"

#include "BmpCodec.h"
#include "EmfPlayer.h"
#include "GifCodec.h"
#include "ImageIO.h"
#include "JpegCodec.h"
#include "MetafilePlayer.h"
#include "PcxCodec.h"
#include "TiffCodec.h"
#include "WmfPlayer.h"

#include <QFileInfo>

namespace Tallwick {

namespace {
QImage ReadGif(const std::uint8_t* data, std::int64_t size, const QString&) { return TGifCodec::Read(data, size); }
QImage ReadTiff(const std::uint8_t* data, std::int64_t size, const QString&) { return TTiffCodec::Read(data, size); }
QImage ReadPcx(const std::uint8_t* data, std::int64_t size, const QString&) { return TPcxCodec::Read(data, size); }
// Either metafile, whatever its name says: the players tell WMF from EMF by content.
QImage ReadMetafile(const std::uint8_t* data, std::int64_t size, const QString&) {
    return TMetafilePlayer::Render(data, size);
}
QSize MetafileSize(const std::uint8_t* data, std::int64_t size) { return TMetafilePlayer::Size(data, size); }
QByteArray WriteJpeg(const QImage& image) { return TJpegCodec::Write(image, TImageIO::kJpegQuality); }

std::vector<TPictureFormat> MakeTable() {
    std::vector<TPictureFormat> table;
#define PICTURE_FORMAT(key, title, extensions, mime, everyQtProgram, recognise, size, read, drawAt, write)       \
    table.push_back({#key, title, QString::fromLatin1(extensions).split(QLatin1Char(' ')), mime, everyQtProgram, \
                     recognise, size, read, drawAt, write});
#include "PictureFormats.def"
#undef PICTURE_FORMAT
    return table;
}
}  // namespace

const std::vector<TPictureFormat>& TPictureFormats::All() {
    static const std::vector<TPictureFormat> table = MakeTable();
    return table;
}

const TPictureFormat& TPictureFormats::ByFileName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const TPictureFormat& f : All())
        if (f.Extensions.contains(suffix))
            return f;
    return All().front();
}

const TPictureFormat* TPictureFormats::ByKey(const QByteArray& key) {
    for (const TPictureFormat& f : All())
        if (key == f.Key)
            return &f;
    return nullptr;
}

const TPictureFormat* TPictureFormats::ByContent(const std::uint8_t* data, std::int64_t size) {
    for (const TPictureFormat& f : All())
        if (f.Recognize && f.Recognize(data, size))
            return &f;
    return nullptr;
}

QString TPictureFormats::ReadOnlyTitles() {
    QStringList titles;
    for (const TPictureFormat& f : All())
        if (!f.Write)
            titles << QLatin1String(f.Title);
    return titles.join(QLatin1String(" or "));
}

}  // namespace Tallwick
