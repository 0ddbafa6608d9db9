#pragma once
/// \class Tallwick::TDiskInfo
/// TDiskInfo: describes one drive. Setting Drive reads the mount table and fills the other
/// properties: the kind of drive (a Spanish text), the volume label, the file system, the volume
/// serial number (as a number and as "XXXX-XXXX") and the total and free size in bytes.
///
/// A drive is named by
///  - a letter, either case, stored upper case: "C" is the root file system, "D", "E", … the other
///    mounted block-device file systems in order of their mount points (the rule is in
///    MountTable.h); or
///  - a mount point ("/home", "/media/usb/"), stored cleaned ("/media/usb") and never changed in
///    case, since paths are case-sensitive.
/// A letter or path that names nothing mounted now is accepted: the query fails, VolumeValid is
/// false, the sizes are -1 and label, file system, serial and kind are cleared (SerialNumberStr
/// empty), so nothing of the drive asked before is left behind. Anything else, an empty text
/// included, is refused with an Exception before any property changes; the component stays as it
/// was and usable.
///
/// DriveType is one of the five kDrive… texts: network file systems are remote; tmpfs, ramfs and
/// RAM block devices (ram*, zram*) are RAM disks; CD/DVD drives (sr*, SCSI type 5) and ISO 9660 or
/// UDF images on loop devices are CDRom; disks with the kernel's removable flag are removable;
/// other block devices are hard disks. A file system of no such kind (proc, overlay, a device
/// the kernel does not list) gets an empty DriveType.
///
/// FileSystem is the kernel's name of the mounted file system ("ext4", "vfat", "nfs4"; for
/// "fuseblk" the superblock's type, e.g. "ntfs"). VolumeName is the label. SerialNumber comes
/// from the volume UUID: FAT's "ABCD-1234" maps exactly to 0xABCD1234; NTFS gives its low 32 bits
/// as the system that made it shows them (the last 8 of its 16 hex digits); any other file
/// system gives the first 32 bits of its UUID (the first 8 hex digits, hyphens skipped), and 0
/// when it has no UUID.
///
/// DriveSize and DriveFree are 64-bit byte counts (saturating at the largest qint64); DriveFree is
/// the space an unprivileged user may still fill. Both are -1 when the query fails, including a
/// file system that does not answer within a few seconds.
///
/// On Windows the drives are Windows' own: its letters, GetDriveTypeW for the kind (the same five
/// texts), GetVolumeInformationW for label, file system ("NTFS") and serial number, and
/// GetDiskFreeSpaceExW for the sizes (64 bits). MountPoint is the drive's root ("C:\\"). A drive
/// whose volume does not answer (no disc in the drive) keeps its kind but is no valid volume.
/// Mount points name nothing there.
///
/// Non-visual: a QObject with an owner, not a widget. Qt Designer's widget box holds widgets only,
/// so Designer does not offer it; programs create it in code.
#include <Tallwick/TallwickExport.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace Tallwick {

class TDriveFacts;  ///< what the system is asked (internal; tests put a table in its place)
struct TMountEntry;
struct TLetteredDrive;

inline constexpr const char* kDriveRemovable = "Disco extraible";
inline constexpr const char* kDriveFixed = "Disco duro";
inline constexpr const char* kDriveRemote = "Disco remoto";
inline constexpr const char* kDriveCdRom = "CDRom";
inline constexpr const char* kDriveRamDisk = "Disco de RAM";

class TALLWICK_EXPORT TDiskInfo : public QObject {
    Q_OBJECT
    /// The drive described: a letter ("C" is the root file system) or a mount point. Setting it reads the drive's facts.
    Q_PROPERTY(QString Drive READ Drive WRITE WriteDrive NOTIFY DriveChanged)
    /// Kind of drive: one of the kDrive texts, or empty.
    Q_PROPERTY(QString DriveType READ DriveType WRITE SetDriveType NOTIFY DriveTypeChanged)
    /// Total size in bytes; -1 when the query failed.
    Q_PROPERTY(qint64 DriveSize READ DriveSize WRITE SetDriveSize NOTIFY DriveSizeChanged)
    /// Bytes an unprivileged user may still fill; -1 when the query failed.
    Q_PROPERTY(qint64 DriveFree READ DriveFree WRITE SetDriveFree NOTIFY DriveFreeChanged)
    /// The kernel's name of the mounted file system, such as "ext4".
    Q_PROPERTY(QString FileSystem READ FileSystem WRITE SetFileSystem NOTIFY FileSystemChanged)
    /// Volume serial number taken from the volume's UUID; 0 without one.
    Q_PROPERTY(uint SerialNumber READ SerialNumber WRITE SetSerialNumber NOTIFY SerialNumberChanged)
    /// SerialNumber written as "XXXX-XXXX"; empty when the query failed.
    Q_PROPERTY(QString SerialNumberStr READ SerialNumberStr WRITE SetSerialNumberStr NOTIFY SerialNumberStrChanged)
    /// The volume's label.
    Q_PROPERTY(QString VolumeName READ VolumeName WRITE SetVolumeName NOTIFY VolumeNameChanged)
public:
    /// "C", no query yet: texts empty, numbers 0.
    explicit TDiskInfo(QObject* owner = nullptr);
    ~TDiskInfo() override;

    /// The drive described: a letter ("C" is the root file system) or a mount point. Setting it reads the drive's facts.
    ///@{
    QString Drive() const;
    /// Queries the drive named by `value` (see above), even when it is the current one, so that
    /// setting it again refreshes the free space. Throws Exception for a value that names no drive.
    void SetDrive(const QString& value);
    ///@}
    /// The Qt face of Drive (QMetaProperty, Designer, QML): SetDrive through the event guard, so
    /// no error passes into Qt; a refused value leaves everything as it was and is reported as
    /// the guard reports errors (a warning, or the error box inside the saver).
    void WriteDrive(const QString& value) noexcept;

    /// Plain fields: written as they come, normally by SetDrive.
    QString DriveType() const;
    void SetDriveType(const QString& value);
    /// Total size in bytes; -1 when the query failed.
    ///@{
    qint64 DriveSize() const;
    void SetDriveSize(qint64 value);
    ///@}
    /// Bytes an unprivileged user may still fill; -1 when the query failed.
    ///@{
    qint64 DriveFree() const;
    void SetDriveFree(qint64 value);
    ///@}
    /// The kernel's name of the mounted file system, such as "ext4".
    ///@{
    QString FileSystem() const;
    void SetFileSystem(const QString& value);
    ///@}
    /// Volume serial number taken from the volume's UUID; 0 without one.
    ///@{
    uint SerialNumber() const;
    void SetSerialNumber(uint value);
    ///@}
    /// SerialNumber written as "XXXX-XXXX"; empty when the query failed.
    ///@{
    QString SerialNumberStr() const;
    void SetSerialNumberStr(const QString& value);
    ///@}
    /// The volume's label.
    ///@{
    QString VolumeName() const;
    void SetVolumeName(const QString& value);
    ///@}
    /// Whether the last query found the drive.
    bool VolumeValid() const;
    /// The mount point the last query found ("/" for C), empty when it failed.
    QString MountPoint() const;

    /// The letters that name a file system now, "C" first.
    QStringList AvailableDrives() const;

    /// "0ABC-1234": eight upper-case hexadecimal digits split in two.
    static QString SerialNumberText(quint32 serial);
    /// The serial number a volume of `fileSystem` with `uuid` gets (rule above).
    static quint32 SerialNumberFromUuid(const QString& uuid, const QString& fileSystem);

    static void Register();

signals:
    /// Emitted when Drive changes.
    void DriveChanged();
    /// Emitted when DriveType changes.
    void DriveTypeChanged();
    /// Emitted when DriveSize changes.
    void DriveSizeChanged();
    /// Emitted when DriveFree changes.
    void DriveFreeChanged();
    /// Emitted when FileSystem changes.
    void FileSystemChanged();
    /// Emitted when SerialNumber changes.
    void SerialNumberChanged();
    /// Emitted when SerialNumberStr changes.
    void SerialNumberStrChanged();
    /// Emitted when VolumeName changes.
    void VolumeNameChanged();

private:
    friend class TDiskInfoFacts;  // DiskinfoFacts.h, internal: tests give a table of their own
    /// Where the component asks its questions; nullptr restores this machine's answers.
    void SetFacts(std::shared_ptr<const TDriveFacts> facts);

    struct TDescription;

    static QString CheckedDrive(const QString& value);
    TDescription Describe(const TMountEntry& mount) const;
    TDescription Describe(const TLetteredDrive& drive) const;
    void Apply(const TDescription& d);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
