#pragma once
// The mounted file systems as the kernel lists them in /proc/self/mountinfo, and the drive
// letters the disk-information component gives them:
//   "C"          the root file system (the mount at "/");
//   "D", "E", …  every other mounted block-device file system (source a /dev/ path, device number
//                not 0:x), once per device, in byte order of mount points; the root's device
//                gets no second letter. A device mounted several times takes the mount of its
//                whole file system (shortest root within it, so a bind mount of a subfolder
//                never wins), then the first mount point in that order. "Z" is the last letter:
//                further file systems are reached only by their mount points.
// Letters therefore follow mount points and do not change across boots as long as the same file
// systems are mounted at the same places.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace Tallwick {

struct TMountEntry {
    QString Source;      // "/dev/sda1", "server:/export", "tmpfs"
    QString MountPoint;  // "/", "/home"
    QString FileSystem;  // "ext4", "vfat", "nfs4"
    QString Root;        // the folder of the file system mounted there, "/" for all of it
    quint32 Major = 0;   // device number
    quint32 Minor = 0;

    bool IsBlockDevice() const;
};

class TMountTable {
public:
    // Reads mountinfo text; malformed lines are skipped. A later mount at the same point hides
    // an earlier one, so only the last is kept.
    static TMountTable Parse(const QByteArray& mountinfo);

    const QList<TMountEntry>& Entries() const { return FEntries; }
    // The mount of a drive letter (upper case), nothing when the letter names no file system.
    std::optional<TMountEntry> ForLetter(QChar letter) const;
    // The mount at exactly `mountPoint` (already cleaned), nothing when none is there.
    std::optional<TMountEntry> ForMountPoint(const QString& mountPoint) const;
    // Every drive letter that names a file system now, "C" first when the root is listed.
    QString Letters() const;

private:
    QList<TMountEntry> Lettered() const;

    QList<TMountEntry> FEntries;
};

}  // namespace Tallwick
