// TDiskInfo: the kind, label, file system, serial number and sizes of one drive.
#include "Diskinfo.h"

#include "DriveFacts.h"
#include "MountTable.h"

#include "ComponentRegistry.h"
#include "EventGuard.h"
#include "Exception.h"
#include "PropertyChange.h"

#include <QDir>
#include <QSet>

#include <limits>
#include <QCoreApplication>

namespace Tallwick {

namespace {

constexpr qsizetype kQuotedValueLength = 60;

// File systems whose data lives on another machine.
const QSet<QString>& NetworkFileSystems() {
    static const QSet<QString> names = {
        QStringLiteral("nfs"),
        QStringLiteral("nfs4"),
        QStringLiteral("cifs"),
        QStringLiteral("smb3"),
        QStringLiteral("smbfs"),
        QStringLiteral("ncpfs"),
        QStringLiteral("9p"),
        QStringLiteral("afs"),
        QStringLiteral("ceph"),
        QStringLiteral("coda"),
        QStringLiteral("lustre"),
        QStringLiteral("glusterfs"),
        QStringLiteral("davfs"),
        QStringLiteral("fuse.sshfs"),
        QStringLiteral("fuse.rclone"),
        QStringLiteral("fuse.s3fs"),
        QStringLiteral("fuse.curlftpfs"),
        QStringLiteral("fuse.glusterfs"),
        QStringLiteral("fuse.davfs2"),
    };
    return names;
}

QString KindOf(const TMountEntry& mount, const std::optional<TBlockFacts>& block) {
    const QString& fs = mount.FileSystem;
    if (NetworkFileSystems().contains(fs))
        return QString::fromLatin1(kDriveRemote);
    const bool ramDevice = block && (block->Disk.startsWith(u"ram") || block->Disk.startsWith(u"zram"));
    if (fs == u"tmpfs" || fs == u"ramfs" || ramDevice)
        return QString::fromLatin1(kDriveRamDisk);
    if (!block)
        return {};
    const bool discImage = block->Disk.startsWith(u"loop") && (fs == u"iso9660" || fs == u"udf");
    if (block->ScsiType == 5 || block->Disk.startsWith(u"sr") || discImage)
        return QString::fromLatin1(kDriveCdRom);
    return QString::fromLatin1(block->Removable ? kDriveRemovable : kDriveFixed);
}

qint64 Bytes(quint64 blocks, quint64 blockSize) {
    constexpr quint64 kMax = quint64(std::numeric_limits<qint64>::max());
    if (blockSize != 0 && blocks > kMax / blockSize)
        return std::numeric_limits<qint64>::max();
    return qint64(blocks * blockSize);
}

bool IsHexDigits(QStringView s) {
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return !s.isEmpty();
}

QString KindText(TDriveKind kind) {
    switch (kind) {
    case TDriveKind::Removable: return QString::fromLatin1(kDriveRemovable);
    case TDriveKind::Fixed: return QString::fromLatin1(kDriveFixed);
    case TDriveKind::Remote: return QString::fromLatin1(kDriveRemote);
    case TDriveKind::CdRom: return QString::fromLatin1(kDriveCdRom);
    case TDriveKind::RamDisk: return QString::fromLatin1(kDriveRamDisk);
    case TDriveKind::Unknown: break;
    }
    return {};
}

const std::shared_ptr<const TDriveFacts>& SystemFacts() {
    static const std::shared_ptr<const TDriveFacts> facts = std::make_shared<TDriveFacts>();
    return facts;
}

}  // namespace

// Everything one query finds; a default one is a failed query.
struct TDiskInfo::TDescription {
    QString Drive;
    QString DriveType;
    qint64 DriveSize = -1;
    qint64 DriveFree = -1;
    QString FileSystem;
    uint SerialNumber = 0;
    QString SerialNumberStr;
    QString VolumeName;
    bool VolumeValid = false;
    QString MountPoint;
};

TDiskInfo::TDiskInfo(QObject* owner) : QObject(owner), FDrive(QStringLiteral("C")), FFacts(SystemFacts()) {}

TDiskInfo::~TDiskInfo() = default;

void TDiskInfo::SetFacts(std::shared_ptr<const TDriveFacts> facts) {
    FFacts = facts ? std::move(facts) : SystemFacts();
}

QString TDiskInfo::CheckedDrive(const QString& value) {
    if (value.isEmpty())
        throw Exception(QCoreApplication::translate("Tallwick",
                                                    "No drive given: name a drive by its letter (C for the root file "
                                                    "system) or by its mount point"));
    if (value.size() == 1 && value[0].isLetter() && value[0].unicode() < 0x80)
        return value.toUpper();
    if (value.startsWith(u'/'))
        return QDir::cleanPath(value);
    QString shown = value.left(kQuotedValueLength);
    if (shown.size() < value.size())
        shown += QStringLiteral("...");
    throw Exception(QStringLiteral("'%1' is not a drive: name a drive by one letter (C for the root "
                                   "file system) or by its mount point, such as /home")
                        .arg(shown));
}

void TDiskInfo::SetDrive(const QString& value) {
    const QString drive = CheckedDrive(value);
    TDescription d;
    if (FFacts->LettersOfItsOwn()) {
        const std::optional<TLetteredDrive> lettered =
            drive.startsWith(u'/') ? std::nullopt : FFacts->LetteredDrive(drive[0]);
        if (lettered)
            d = Describe(*lettered);
    } else {
        const TMountTable table = TMountTable::Parse(FFacts->MountTable());
        const std::optional<TMountEntry> mount =
            drive.startsWith(u'/') ? table.ForMountPoint(drive) : table.ForLetter(drive[0]);
        if (mount)
            d = Describe(*mount);
    }
    d.Drive = drive;
    Apply(d);
}

void TDiskInfo::WriteDrive(const QString& value) noexcept {
    GuardEvent(this, [&] { SetDrive(value); });
}

TDiskInfo::TDescription TDiskInfo::Describe(const TMountEntry& mount) const {
    TDescription d;
    d.VolumeValid = true;
    d.MountPoint = mount.MountPoint;
    d.FileSystem = mount.FileSystem;
    std::optional<TBlockFacts> block;
    TVolumeTags tags;
    if (mount.IsBlockDevice()) {
        block = FFacts->BlockDevice(mount.Major, mount.Minor);
        tags = FFacts->VolumeTags(mount.Source, mount.Major, mount.Minor);
    }
    if (d.FileSystem == u"fuseblk" && !tags.Type.isEmpty())
        d.FileSystem = tags.Type;
    d.VolumeName = tags.Label;
    d.SerialNumber = SerialNumberFromUuid(tags.Uuid, tags.Type.isEmpty() ? d.FileSystem : tags.Type);
    d.SerialNumberStr = SerialNumberText(d.SerialNumber);
    d.DriveType = KindOf(mount, block);
    if (const std::optional<TFsSpace> space = FFacts->Space(mount.MountPoint)) {
        d.DriveSize = Bytes(space->Blocks, space->FragmentSize);
        d.DriveFree = Bytes(space->Available, space->FragmentSize);
    }
    return d;
}

// A drive the system letters itself: its kind is known even when its volume does not answer
// (a CD drive without a disc), which is then no valid volume.
TDiskInfo::TDescription TDiskInfo::Describe(const TLetteredDrive& drive) const {
    TDescription d;
    d.DriveType = KindText(drive.Kind);
    d.MountPoint = drive.Root;
    if (!drive.VolumeKnown)
        return d;
    d.VolumeValid = true;
    d.VolumeName = drive.Label;
    d.FileSystem = drive.FileSystem;
    d.SerialNumber = drive.Serial;
    d.SerialNumberStr = SerialNumberText(drive.Serial);
    if (drive.Space) {
        d.DriveSize = Bytes(drive.Space->Blocks, drive.Space->FragmentSize);
        d.DriveFree = Bytes(drive.Space->Available, drive.Space->FragmentSize);
    }
    return d;
}

// Stores everything first, then announces what changed, so a slot sees the whole new state.
void TDiskInfo::Apply(const TDescription& d) {
    const bool drive = FDrive != d.Drive, type = FDriveType != d.DriveType;
    const bool size = FDriveSize != d.DriveSize, free = FDriveFree != d.DriveFree;
    const bool fs = FFileSystem != d.FileSystem, serial = FSerialNumber != d.SerialNumber;
    const bool serialStr = FSerialNumberStr != d.SerialNumberStr, volume = FVolumeName != d.VolumeName;
    FDrive = d.Drive;
    FDriveType = d.DriveType;
    FDriveSize = d.DriveSize;
    FDriveFree = d.DriveFree;
    FFileSystem = d.FileSystem;
    FSerialNumber = d.SerialNumber;
    FSerialNumberStr = d.SerialNumberStr;
    FVolumeName = d.VolumeName;
    FVolumeValid = d.VolumeValid;
    FMountPoint = d.MountPoint;
    if (drive)
        emit DriveChanged();
    if (type)
        emit DriveTypeChanged();
    if (size)
        emit DriveSizeChanged();
    if (free)
        emit DriveFreeChanged();
    if (fs)
        emit FileSystemChanged();
    if (serial)
        emit SerialNumberChanged();
    if (serialStr)
        emit SerialNumberStrChanged();
    if (volume)
        emit VolumeNameChanged();
}

void TDiskInfo::SetDriveType(const QString& value) {
    ChangeProperty(this, FDriveType, value, nullptr, &TDiskInfo::DriveTypeChanged);
}
void TDiskInfo::SetDriveSize(qint64 value) {
    ChangeProperty(this, FDriveSize, value, nullptr, &TDiskInfo::DriveSizeChanged);
}
void TDiskInfo::SetDriveFree(qint64 value) {
    ChangeProperty(this, FDriveFree, value, nullptr, &TDiskInfo::DriveFreeChanged);
}
void TDiskInfo::SetFileSystem(const QString& value) {
    ChangeProperty(this, FFileSystem, value, nullptr, &TDiskInfo::FileSystemChanged);
}
void TDiskInfo::SetSerialNumber(uint value) {
    ChangeProperty(this, FSerialNumber, value, nullptr, &TDiskInfo::SerialNumberChanged);
}
void TDiskInfo::SetSerialNumberStr(const QString& value) {
    ChangeProperty(this, FSerialNumberStr, value, nullptr, &TDiskInfo::SerialNumberStrChanged);
}
void TDiskInfo::SetVolumeName(const QString& value) {
    ChangeProperty(this, FVolumeName, value, nullptr, &TDiskInfo::VolumeNameChanged);
}

QStringList TDiskInfo::AvailableDrives() const {
    QStringList drives;
    const QString letters =
        FFacts->LettersOfItsOwn() ? FFacts->DriveLetters() : TMountTable::Parse(FFacts->MountTable()).Letters();
    for (QChar letter : letters)
        drives << QString(letter);
    return drives;
}

QString TDiskInfo::SerialNumberText(quint32 serial) {
    const QString hex = QStringLiteral("%1").arg(serial, 8, 16, QLatin1Char('0')).toUpper();
    return hex.left(4) + u'-' + hex.mid(4);
}

quint32 TDiskInfo::SerialNumberFromUuid(const QString& uuid, const QString& fileSystem) {
    QString hex = uuid;
    hex.remove(u'-');
    // NTFS keeps a 64-bit serial; its volume serial number is the low half.
    if (fileSystem == u"ntfs" && hex.size() == 16 && IsHexDigits(hex))
        return hex.mid(8).toUInt(nullptr, 16);
    hex.truncate(8);
    return IsHexDigits(hex) ? hex.toUInt(nullptr, 16) : 0;
}

void TDiskInfo::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TDiskInfo")); }

}  // namespace Tallwick
