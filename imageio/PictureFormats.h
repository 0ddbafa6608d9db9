#pragma once
// The table of picture formats (PictureFormats.def) and the look-ups that choose a row: by file
// name, by key, by content.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace Tallwick {

// One row of the table; the columns are described in PictureFormats.def.
struct TPictureFormat {
    const char* Key;
    const char* Title;
    QStringList Extensions;
    const char* MimeType;
    bool EveryQtProgram;
    bool (*Recognize)(const std::uint8_t* data, std::int64_t size);
    QSize (*Size)(const std::uint8_t* data, std::int64_t size);
    QImage (*Read)(const std::uint8_t* data, std::int64_t size, const QString& fileName);
    QImage (*DrawAt)(const std::uint8_t* data, std::int64_t size, QSize pictureSize);
    QByteArray (*Write)(const QImage& image);
};

class TPictureFormats {
public:
    // Every row, in the table's order.
    static const std::vector<TPictureFormat>& All();
    // The row whose extensions hold the file name's, in any case; the first row for any other name.
    static const TPictureFormat& ByFileName(const QString& fileName);
    // The row of that key (lower case), or null.
    static const TPictureFormat* ByKey(const QByteArray& key);
    // The first row that recognises the bytes as its own, or null.
    static const TPictureFormat* ByContent(const std::uint8_t* data, std::int64_t size);
    // The titles of the rows without a writer, as "WMF or EMF".
    static QString ReadOnlyTitles();
};

}  // namespace Tallwick
