// The mounted file systems as the kernel lists them in /proc/self/mountinfo, and the drive letters
// the disk-information component gives them.
#include "MountTable.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace Tallwick {

namespace {

constexpr int kLastLetterIndex = 'Z' - 'C';

// Mount paths escape space, tab, newline and backslash as three octal digits ("\040").
QString Unescape(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' && field[i + 2] >= '0' &&
            field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += c;
        }
    }
    return QString::fromUtf8(out);
}

// "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue"
std::optional<TMountEntry> ParseLine(const QByteArray& line) {
    const QList<QByteArray> f = line.simplified().split(' ');
    const qsizetype dash = f.indexOf("-");
    if (f.size() < 6 || dash < 6 || dash + 2 >= f.size())
        return std::nullopt;
    const QList<QByteArray> device = f[2].split(':');
    bool majorOk = false, minorOk = false;
    TMountEntry e;
    if (device.size() == 2) {
        e.Major = device[0].toUInt(&majorOk);
        e.Minor = device[1].toUInt(&minorOk);
    }
    if (!majorOk || !minorOk || !f[4].startsWith('/'))
        return std::nullopt;
    e.Root = Unescape(f[3]);
    e.MountPoint = Unescape(f[4]);
    e.FileSystem = Unescape(f[dash + 1]);
    e.Source = Unescape(f[dash + 2]);
    return e;
}

// Mount points in byte order of their UTF-8 text.
bool MountPointLess(const TMountEntry& a, const TMountEntry& b) {
    return a.MountPoint.toUtf8() < b.MountPoint.toUtf8();
}

// Of two mounts of one device, the one that better stands for it.
bool BetterRepresentative(const TMountEntry& a, const TMountEntry& b) {
    if (a.Root.size() != b.Root.size())
        return a.Root.size() < b.Root.size();
    return MountPointLess(a, b);
}

quint64 DeviceKey(const TMountEntry& e) { return (quint64(e.Major) << 32) | e.Minor; }

}  // namespace

bool TMountEntry::IsBlockDevice() const { return Major != 0 && Source.startsWith(u'/'); }

TMountTable TMountTable::Parse(const QByteArray& mountinfo) {
    TMountTable table;
    QHash<QString, qsizetype> byMountPoint;
    for (const QByteArray& line : mountinfo.split('\n')) {
        const std::optional<TMountEntry> e = ParseLine(line);
        if (!e)
            continue;
        const auto hidden = byMountPoint.constFind(e->MountPoint);
        if (hidden != byMountPoint.constEnd()) {
            table.FEntries[*hidden] = *e;
        } else {
            byMountPoint.insert(e->MountPoint, table.FEntries.size());
            table.FEntries.append(*e);
        }
    }
    return table;
}

QList<TMountEntry> TMountTable::Lettered() const {
    const std::optional<TMountEntry> root = ForMountPoint(QStringLiteral("/"));
    QHash<quint64, TMountEntry> byDevice;
    for (const TMountEntry& e : FEntries) {
        if (!e.IsBlockDevice() || e.MountPoint == u'/' || (root && DeviceKey(e) == DeviceKey(*root)))
            continue;
        const auto known = byDevice.find(DeviceKey(e));
        if (known == byDevice.end())
            byDevice.insert(DeviceKey(e), e);
        else if (BetterRepresentative(e, *known))
            *known = e;
    }
    // Sorted on their UTF-8 bytes, made once per entry; only the first letters' worth is needed.
    std::vector<std::pair<QByteArray, const TMountEntry*>> keyed;
    keyed.reserve(std::size_t(byDevice.size()));
    for (const TMountEntry& e : byDevice)
        keyed.emplace_back(e.MountPoint.toUtf8(), &e);
    const auto end = keyed.begin() + std::min<std::ptrdiff_t>(kLastLetterIndex, std::ptrdiff_t(keyed.size()));
    std::partial_sort(keyed.begin(), end, keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<TMountEntry> lettered;
    for (auto it = keyed.begin(); it != end; ++it)
        lettered.append(*it->second);
    return lettered;
}

std::optional<TMountEntry> TMountTable::ForLetter(QChar letter) const {
    if (letter == u'C')
        return ForMountPoint(QStringLiteral("/"));
    const int index = letter.unicode() - 'D';
    const QList<TMountEntry> others = Lettered();
    if (index < 0 || index >= others.size())
        return std::nullopt;
    return others[index];
}

std::optional<TMountEntry> TMountTable::ForMountPoint(const QString& mountPoint) const {
    for (const TMountEntry& e : FEntries)
        if (e.MountPoint == mountPoint)
            return e;
    return std::nullopt;
}

QString TMountTable::Letters() const {
    QString letters;
    if (ForMountPoint(QStringLiteral("/")))
        letters += u'C';
    const qsizetype others = Lettered().size();
    for (qsizetype i = 0; i < others; ++i)
        letters += QChar(char16_t(u'D' + i));
    return letters;
}

}  // namespace Tallwick
