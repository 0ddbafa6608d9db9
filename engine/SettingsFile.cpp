// The settings file's bytes: title, four colours, star count, speed and the logo switch, read and
// written.
#include "SettingsFile.h"

#include <Tallwick/Exception.h>
#include "FileReplace.h"
#include <Tallwick/Vexutils.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>

namespace Tallwick {

namespace {
constexpr qint64 kLayoutBytes = 4 + 4 * 4 + 4 + 4 + 1;  // everything but the title
// Titles longer than this cannot be any program's name and are not read.
constexpr qint32 kLongestTitleRead = 4096;

// A stored title as it can be shown in a message: other bytes than printable ASCII as '?', long
// ones cut.
QString Printable(const QByteArray& title) {
    constexpr int kShown = 64;
    QString text;
    for (char c : title.left(kShown))
        text += c >= 0x20 && c < 0x7F ? QLatin1Char(c) : QLatin1Char('?');
    return title.size() > kShown ? text + QStringLiteral("...") : text;
}
}  // namespace

TSettingsRead TSettingsFile::Read(const QString& path, const QByteArray& title) {
    TSettingsRead read;
    if (!QFile::exists(path))
        return read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(
            QCoreApplication::translate("Skyglow", "Cannot open file %1").arg(QDir::toNativeSeparators(path)));
    qint32 titleLength = 0;
    read.Problem = DamageIn(file, titleLength);
    if (!read.Problem.isEmpty()) {
        read.Damaged = true;
        return read;
    }
    const QByteArray stored = ReadTitle(file, titleLength);
    read.Values = ReadFields(file);
    if (stored != title) {
        read.ForeignTitle = true;
        read.Problem = ForeignProblem(stored, titleLength, title);
    }
    return read;
}

// Why the file cannot hold the layout its title length announces; empty when it can. Bytes after
// the layout are allowed, as they always were.
QString TSettingsFile::DamageIn(QIODevice& file, qint32& titleLength) {
    const qint64 size = file.size();
    if (size < 4)
        return QStringLiteral("it is %1 bytes long, too short for even the title length").arg(size);
    titleLength = ReadInt(file);
    if (titleLength < 0)
        return QStringLiteral("its title length is negative (%1)").arg(titleLength);
    const qint64 titleEnd = 4 + qint64(titleLength), layoutEnd = kLayoutBytes + qint64(titleLength);
    if (size < titleEnd)
        return QStringLiteral("it ends inside its title (%1 bytes; the title alone needs %2)").arg(size).arg(titleEnd);
    if (size < layoutEnd)
        return QStringLiteral("it ends before its last setting (%1 bytes; %2 needed)").arg(size).arg(layoutEnd);
    return QString();
}

// A title too long to be any program's name is skipped rather than read into memory.
QByteArray TSettingsFile::ReadTitle(QIODevice& file, qint32 titleLength) {
    file.seek(0);
    if (titleLength <= kLongestTitleRead)
        return ReadString(file);
    file.seek(4 + qint64(titleLength));
    return QByteArray();
}

TSkySettings TSettingsFile::ReadFields(QIODevice& file) {
    const TSkySettings defaults;
    TSkySettings values;
    values.BackColor = ReadColor(file, defaults.BackColor);
    values.StarColor = ReadColor(file, defaults.StarColor);
    values.TextColor1 = ReadColor(file, defaults.TextColor1);
    values.TextColor2 = ReadColor(file, defaults.TextColor2);
    values.StarCount = ReadInt(file, defaults.StarCount);
    values.Speed = ReadInt(file, defaults.Speed);
    values.ShowLogo = static_cast<unsigned char>(ReadByte(file, char(defaults.ShowLogo)));
    return values;
}

QString TSettingsFile::ForeignProblem(const QByteArray& stored, qint32 titleLength, const QByteArray& title) {
    const QString ours = QString::fromLatin1(title);
    if (titleLength > kLongestTitleRead)
        return QStringLiteral("its title is %1 bytes long, not the title \"%2\"").arg(titleLength).arg(ours);
    return QStringLiteral("its title is \"%1\", not \"%2\"").arg(Printable(stored), ours);
}

QByteArray TSettingsFile::Bytes(const TSkySettings& values, const QByteArray& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteString(buffer, title);
    WriteColor(buffer, values.BackColor);
    WriteColor(buffer, values.StarColor);
    WriteColor(buffer, values.TextColor1);
    WriteColor(buffer, values.TextColor2);
    WriteInt(buffer, values.StarCount);
    WriteInt(buffer, values.Speed);
    WriteByte(buffer, static_cast<char>(values.ShowLogo));
    return bytes;
}

void TSettingsFile::Write(const QString& path, const TSkySettings& values, const QByteArray& title, bool userOwn) {
    if (userOwn) {
        if (const int error = MakeUserFolders(QFileInfo(path).absolutePath()))
            throw CannotCreateError(path, error);
    }
    ReplaceFile(path, Bytes(values, title), userOwn ? TNewFileAccess::OwnerOnly : TNewFileAccess::UserDefault);
}

}  // namespace Tallwick
