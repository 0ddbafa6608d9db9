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

class TDiskInfo::Private {
public:
    QString FDrive;
    QString FDriveType;
    qint64 FDriveSize = 0;
    qint64 FDriveFree = 0;
    QString FFileSystem;
    uint FSerialNumber = 0;
    QString FSerialNumberStr;
    QString FVolumeName;
    bool FVolumeValid = false;
    QString FMountPoint;
    std::shared_ptr<const TDriveFacts> FFacts;
};

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

TDiskInfo::TDiskInfo(QObject* owner) : QObject(owner), d(std::make_unique<Private>()) {
    d->FDrive = QStringLiteral("C");
    d->FFacts = SystemFacts();
}

TDiskInfo::~TDiskInfo() = default;

void TDiskInfo::SetFacts(std::shared_ptr<const TDriveFacts> facts) {
    d->FFacts = facts ? std::move(facts) : SystemFacts();
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
    TDescription desc;
    if (d->FFacts->LettersOfItsOwn()) {
        const std::optional<TLetteredDrive> lettered =
            drive.startsWith(u'/') ? std::nullopt : d->FFacts->LetteredDrive(drive[0]);
        if (lettered)
            desc = Describe(*lettered);
    } else {
        const TMountTable table = TMountTable::Parse(d->FFacts->MountTable());
        const std::optional<TMountEntry> mount =
            drive.startsWith(u'/') ? table.ForMountPoint(drive) : table.ForLetter(drive[0]);
        if (mount)
            desc = Describe(*mount);
    }
    desc.Drive = drive;
    Apply(desc);
}

void TDiskInfo::WriteDrive(const QString& value) noexcept {
    GuardEvent(this, [&] { SetDrive(value); });
}

TDiskInfo::TDescription TDiskInfo::Describe(const TMountEntry& mount) const {
    TDescription desc;
    desc.VolumeValid = true;
    desc.MountPoint = mount.MountPoint;
    desc.FileSystem = mount.FileSystem;
    std::optional<TBlockFacts> block;
    TVolumeTags tags;
    if (mount.IsBlockDevice()) {
        block = d->FFacts->BlockDevice(mount.Major, mount.Minor);
        tags = d->FFacts->VolumeTags(mount.Source, mount.Major, mount.Minor);
    }
    if (desc.FileSystem == u"fuseblk" && !tags.Type.isEmpty())
        desc.FileSystem = tags.Type;
    desc.VolumeName = tags.Label;
    desc.SerialNumber = SerialNumberFromUuid(tags.Uuid, tags.Type.isEmpty() ? desc.FileSystem : tags.Type);
    desc.SerialNumberStr = SerialNumberText(desc.SerialNumber);
    desc.DriveType = KindOf(mount, block);
    if (const std::optional<TFsSpace> space = d->FFacts->Space(mount.MountPoint)) {
        desc.DriveSize = Bytes(space->Blocks, space->FragmentSize);
        desc.DriveFree = Bytes(space->Available, space->FragmentSize);
    }
    return desc;
}

// A drive the system letters itself: its kind is known even when its volume does not answer
// (a CD drive without a disc), which is then no valid volume.
TDiskInfo::TDescription TDiskInfo::Describe(const TLetteredDrive& drive) const {
    TDescription desc;
    desc.DriveType = KindText(drive.Kind);
    desc.MountPoint = drive.Root;
    if (!drive.VolumeKnown)
        return desc;
    desc.VolumeValid = true;
    desc.VolumeName = drive.Label;
    desc.FileSystem = drive.FileSystem;
    desc.SerialNumber = drive.Serial;
    desc.SerialNumberStr = SerialNumberText(drive.Serial);
    if (drive.Space) {
        desc.DriveSize = Bytes(drive.Space->Blocks, drive.Space->FragmentSize);
        desc.DriveFree = Bytes(drive.Space->Available, drive.Space->FragmentSize);
    }
    return desc;
}

// Stores everything first, then announces what changed, so a slot sees the whole new state.
void TDiskInfo::Apply(const TDescription& desc) {
    const bool drive = d->FDrive != desc.Drive, type = d->FDriveType != desc.DriveType;
    const bool size = d->FDriveSize != desc.DriveSize, free = d->FDriveFree != desc.DriveFree;
    const bool fs = d->FFileSystem != desc.FileSystem, serial = d->FSerialNumber != desc.SerialNumber;
    const bool serialStr = d->FSerialNumberStr != desc.SerialNumberStr, volume = d->FVolumeName != desc.VolumeName;
    d->FDrive = desc.Drive;
    d->FDriveType = desc.DriveType;
    d->FDriveSize = desc.DriveSize;
    d->FDriveFree = desc.DriveFree;
    d->FFileSystem = desc.FileSystem;
    d->FSerialNumber = desc.SerialNumber;
    d->FSerialNumberStr = desc.SerialNumberStr;
    d->FVolumeName = desc.VolumeName;
    d->FVolumeValid = desc.VolumeValid;
    d->FMountPoint = desc.MountPoint;
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
    ChangeProperty(this, d->FDriveType, value, nullptr, &TDiskInfo::DriveTypeChanged);
}
void TDiskInfo::SetDriveSize(qint64 value) {
    ChangeProperty(this, d->FDriveSize, value, nullptr, &TDiskInfo::DriveSizeChanged);
}
void TDiskInfo::SetDriveFree(qint64 value) {
    ChangeProperty(this, d->FDriveFree, value, nullptr, &TDiskInfo::DriveFreeChanged);
}
void TDiskInfo::SetFileSystem(const QString& value) {
    ChangeProperty(this, d->FFileSystem, value, nullptr, &TDiskInfo::FileSystemChanged);
}
void TDiskInfo::SetSerialNumber(uint value) {
    ChangeProperty(this, d->FSerialNumber, value, nullptr, &TDiskInfo::SerialNumberChanged);
}
void TDiskInfo::SetSerialNumberStr(const QString& value) {
    ChangeProperty(this, d->FSerialNumberStr, value, nullptr, &TDiskInfo::SerialNumberStrChanged);
}
void TDiskInfo::SetVolumeName(const QString& value) {
    ChangeProperty(this, d->FVolumeName, value, nullptr, &TDiskInfo::VolumeNameChanged);
}

QStringList TDiskInfo::AvailableDrives() const {
    QStringList drives;
    const QString letters = d->FFacts->LettersOfItsOwn() ? d->FFacts->DriveLetters()
                                                         : TMountTable::Parse(d->FFacts->MountTable()).Letters();
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

QString TDiskInfo::Drive() const { return d->FDrive; }
QString TDiskInfo::DriveType() const { return d->FDriveType; }
qint64 TDiskInfo::DriveSize() const { return d->FDriveSize; }
qint64 TDiskInfo::DriveFree() const { return d->FDriveFree; }
QString TDiskInfo::FileSystem() const { return d->FFileSystem; }
uint TDiskInfo::SerialNumber() const { return d->FSerialNumber; }
QString TDiskInfo::SerialNumberStr() const { return d->FSerialNumberStr; }
QString TDiskInfo::VolumeName() const { return d->FVolumeName; }
bool TDiskInfo::VolumeValid() const { return d->FVolumeValid; }
QString TDiskInfo::MountPoint() const { return d->FMountPoint; }

}  // namespace Tallwick
