// Everything the disk-information component asks the system.
#include "DriveFacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <blkid.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace Tallwick {

namespace {

constexpr qint64 kMaxMountTableBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxSysfsBytes = 4096;
constexpr auto kSpaceTimeout = std::chrono::seconds(5);

// Reads at most `limit` bytes; /proc and /sys files report no size, so read until the end.
QByteArray ReadSmallFile(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data;
    while (data.size() < limit) {
        const QByteArray chunk = file.read(std::min<qint64>(65536, limit - data.size()));
        if (chunk.isEmpty())
            break;
        data += chunk;
    }
    return data;
}

QString SysfsDeviceDir(quint32 major, quint32 minor) {
    return QFileInfo(QStringLiteral("/sys/dev/block/%1:%2").arg(major).arg(minor)).canonicalFilePath();
}

// The /dev node of major:minor: the mount's own source when it is that node, else udev's
// /dev/block link, else the kernel's name for it.
QString DeviceNode(const QString& source, quint32 major, quint32 minor) {
    QStringList candidates{source, QStringLiteral("/dev/block/%1:%2").arg(major).arg(minor)};
    const QString dir = SysfsDeviceDir(major, minor);
    const QByteArray uevent =
        dir.isEmpty() ? QByteArray() : ReadSmallFile(dir + QStringLiteral("/uevent"), kMaxSysfsBytes);
    for (const QByteArray& line : uevent.split('\n'))
        if (line.startsWith("DEVNAME="))
            candidates << QStringLiteral("/dev/") + QString::fromUtf8(line.mid(8));
    for (const QString& path : candidates) {
        struct stat st {};
        if (stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode) &&
            st.st_rdev == makedev(major, minor))
            return path;
    }
    return {};
}

QString ProbeValue(blkid_probe probe, const char* name) {
    const char* data = nullptr;
    size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &length) != 0 || !data)
        return {};
    return QString::fromUtf8(data);
}

bool ProbeSuperblock(const QString& node, TVolumeTags& tags) {
    blkid_probe probe = blkid_new_probe_from_filename(QFile::encodeName(node).constData());
    if (!probe)
        return false;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
    const bool found = blkid_do_safeprobe(probe) == 0;
    if (found) {
        tags.Label = ProbeValue(probe, "LABEL");
        tags.Uuid = ProbeValue(probe, "UUID");
        tags.Type = ProbeValue(probe, "TYPE");
    }
    blkid_free_probe(probe);
    return found;
}

// udev writes unsafe characters of link names as "\xHH".
QString UnescapeUdev(const QString& name) {
    QByteArray in = QFile::encodeName(name), out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        bool ok = false;
        const bool escape = i + 3 < in.size() && in[i] == '\\' && in[i + 1] == 'x';
        const int value = escape ? in.mid(i + 2, 2).toInt(&ok, 16) : 0;
        if (ok) {
            out += char(value);
            i += 3;
        } else {
            out += in[i];
        }
    }
    return QString::fromUtf8(out);
}

// The name of the link in `folder` that leads to `node`, empty when none does.
QString LinkNameFor(const QString& folder, const QString& node) {
    const QString target = QFileInfo(node).canonicalFilePath();
    const QDir links(folder);
    for (const QFileInfo& link : links.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        if (link.canonicalFilePath() == target)
            return UnescapeUdev(link.fileName());
    return {};
}

// One statvfs call and its answer, shared by the asking thread and the one that waits.
struct TPendingSpace {
    std::mutex Lock;
    std::condition_variable Done;
    bool Finished = false;
    std::optional<TFsSpace> Result;
};

void AskSpace(std::shared_ptr<TPendingSpace> pending, QByteArray path) {
    struct statvfs st {};
    std::optional<TFsSpace> result;
    if (statvfs(path.constData(), &st) == 0)
        result = TFsSpace{quint64(st.f_frsize), quint64(st.f_blocks), quint64(st.f_bavail)};
    const std::lock_guard<std::mutex> lock(pending->Lock);
    pending->Result = result;
    pending->Finished = true;
    pending->Done.notify_all();
}

}  // namespace

TDriveFacts::~TDriveFacts() = default;

bool TDriveFacts::LettersOfItsOwn() const { return false; }

QString TDriveFacts::DriveLetters() const { return {}; }

std::optional<TLetteredDrive> TDriveFacts::LetteredDrive(QChar) const { return std::nullopt; }

QByteArray TDriveFacts::MountTable() const {
    return ReadSmallFile(QStringLiteral("/proc/self/mountinfo"), kMaxMountTableBytes);
}

std::optional<TBlockFacts> TDriveFacts::BlockDevice(quint32 major, quint32 minor) const {
    QString dir = SysfsDeviceDir(major, minor);
    if (dir.isEmpty())
        return std::nullopt;
    if (QFile::exists(dir + QStringLiteral("/partition")))
        dir = QFileInfo(dir).path();
    TBlockFacts facts;
    facts.Disk = QFileInfo(dir).fileName();
    facts.Removable = ReadSmallFile(dir + QStringLiteral("/removable"), kMaxSysfsBytes).trimmed() == "1";
    bool ok = false;
    const int type = ReadSmallFile(dir + QStringLiteral("/device/type"), kMaxSysfsBytes).trimmed().toInt(&ok);
    facts.ScsiType = ok ? type : -1;
    return facts;
}

TVolumeTags TDriveFacts::VolumeTags(const QString& device, quint32 major, quint32 minor) const {
    TVolumeTags tags;
    const QString node = DeviceNode(device, major, minor);
    if (node.isEmpty() || ProbeSuperblock(node, tags))
        return tags;
    tags.Uuid = LinkNameFor(QStringLiteral("/dev/disk/by-uuid"), node);
    tags.Label = LinkNameFor(QStringLiteral("/dev/disk/by-label"), node);
    return tags;
}

std::optional<TFsSpace> TDriveFacts::Space(const QString& mountPoint) const {
    // statvfs runs on a thread of its own, left behind if it never returns.
    auto pending = std::make_shared<TPendingSpace>();
    try {
        std::thread(AskSpace, pending, QFile::encodeName(mountPoint)).detach();
    } catch (const std::system_error&) {  // no thread to be had: no answer either
        return std::nullopt;
    }
    std::unique_lock<std::mutex> lock(pending->Lock);
    if (!pending->Done.wait_for(lock, kSpaceTimeout, [&] { return pending->Finished; }))
        return std::nullopt;
    return pending->Result;
}

}  // namespace Tallwick
