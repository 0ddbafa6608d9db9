#pragma once
// Everything the disk-information component asks the system: the mount table, the kernel's facts
// about a block device, the identity of a volume and the space of a mounted file system. The
// base class asks this machine; tests derive from it and answer with a table of their own.

#include <QByteArray>
#include <QString>

#include <optional>

namespace Tallwick {

// What sysfs says about the disk a block device belongs to (for a partition: its whole disk).
struct TBlockFacts {
    QString Disk;  // kernel name of the whole disk: "sda", "sr0", "mmcblk0", "zram0"
    bool Removable = false;
    int ScsiType = -1;  // the SCSI peripheral type where the disk has one (5: CD/DVD), else -1
};

// The identity of a volume as read from its superblock.
struct TVolumeTags {
    QString Label;
    QString Uuid;  // as printed: "ABCD-1234" (FAT), "1b4e28ba-2fa1-…" (ext4), 16 hex (NTFS)
    QString Type;  // "vfat", "ntfs", "ext4", …
};

// A file system's size in blocks, as statvfs gives it.
struct TFsSpace {
    quint64 FragmentSize = 0;  // bytes per block of the counts below
    quint64 Blocks = 0;        // all blocks
    quint64 Available = 0;     // blocks an unprivileged user may still fill
};

// The kinds of drive a system that names its drives by letters tells apart.
enum class TDriveKind { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

// One lettered drive as such a system (Windows) describes it.
struct TLetteredDrive {
    TDriveKind Kind = TDriveKind::Unknown;
    QString Root;                   // "C:\\" (the root folder, as Windows writes it)
    bool VolumeKnown = false;       // the volume answered (an empty card reader or CD drive does not)
    QString Label;                  // the volume label
    QString FileSystem;             // "NTFS", "FAT32", …
    quint32 Serial = 0;             // the volume serial number
    std::optional<TFsSpace> Space;  // in bytes (FragmentSize 1); nothing when not known
};

class TDriveFacts {
public:
    virtual ~TDriveFacts();

    // Whether the system names its drives by letters itself (Windows). Then the drives are asked
    // through the two calls below; elsewhere letters come from the mount table (MountTable.h).
    virtual bool LettersOfItsOwn() const;
    // The letters of the drives there are now, in order ("CDZ"); empty where letters are ours.
    virtual QString DriveLetters() const;
    // The drive of an upper-case letter; nothing when no drive has it.
    virtual std::optional<TLetteredDrive> LetteredDrive(QChar letter) const;

    // The text of /proc/self/mountinfo (at most 16 MiB are read).
    virtual QByteArray MountTable() const;
    // From /sys/dev/block/MAJOR:MINOR; nothing when the kernel lists no such device.
    virtual std::optional<TBlockFacts> BlockDevice(quint32 major, quint32 minor) const;
    // Label, UUID and type of the block device `device` (the mount's source; the node of
    // major:minor when the source names no such node) through libblkid: the superblock where
    // the device can be read, else the udev links /dev/disk/by-uuid and /dev/disk/by-label
    // (readable without privileges; they give no type). Empty texts for what cannot be found.
    virtual TVolumeTags VolumeTags(const QString& device, quint32 major, quint32 minor) const;
    // statvfs of the mount point, given up after a few seconds (a network file system whose
    // server is gone never answers); nothing when it fails or times out.
    virtual std::optional<TFsSpace> Space(const QString& mountPoint) const;
};

}  // namespace Tallwick
