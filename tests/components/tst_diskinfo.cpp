// Tests of TDiskInfo: drive kinds, labels, serial numbers and sizes from prepared facts and from
// the real mount table.
#include <Tallwick/Diskinfo.h>
#include <Tallwick/Exception.h>

#include "DiskinfoFacts.h"
#include "DriveFacts.h"
#include "MountTable.h"

#include <QHash>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>

#include <limits>

using namespace Tallwick;

namespace {

// A machine described by a table: its mountinfo text, its sysfs facts, its volumes and their
// sizes. Anything not in the table is unknown, as it would be on a machine without it.
class TTableFacts : public TDriveFacts {
public:
    QByteArray Table;
    QHash<QString, TBlockFacts> Blocks;  // "major:minor"
    QHash<QString, TVolumeTags> Tags;    // device
    QHash<QString, TFsSpace> Spaces;     // mount point

    // Letters come from this table, on Windows too.
    bool LettersOfItsOwn() const override { return false; }
    QByteArray MountTable() const override { return Table; }
    std::optional<TBlockFacts> BlockDevice(quint32 major, quint32 minor) const override {
        const auto it = Blocks.constFind(QStringLiteral("%1:%2").arg(major).arg(minor));
        return it == Blocks.constEnd() ? std::nullopt : std::optional<TBlockFacts>(*it);
    }
    TVolumeTags VolumeTags(const QString& device, quint32, quint32) const override { return Tags.value(device); }
    std::optional<TFsSpace> Space(const QString& mountPoint) const override {
        const auto it = Spaces.constFind(mountPoint);
        return it == Spaces.constEnd() ? std::nullopt : std::optional<TFsSpace>(*it);
    }
};

constexpr qint64 kMax64 = std::numeric_limits<qint64>::max();

// Letters: C is "/"; the other block devices by mount point, once per device, the root's device
// excluded: D /boot/efi, E /home, F /media/cdrom, G /media/usb, H /mnt/iso, I /mnt/space disk,
// J /mnt/win, K /mnt/zram.
const char* const kMountInfo =
    "22 1 0:21 / /proc rw,relatime - proc proc rw\n"
    "27 1 8:2 / / rw,relatime - ext4 /dev/sda2 rw\n"
    "30 27 8:1 / /boot/efi rw - vfat /dev/sda1 rw,fmask=0077\n"
    "31 27 8:17 / /media/usb rw shared:5 - vfat /dev/sdb1 rw\n"
    "32 27 11:0 / /media/cdrom ro shared:6 master:1 - iso9660 /dev/sr0 ro\n"
    "33 27 0:40 / /mnt/share rw - nfs4 server:/export rw,vers=4.2\n"
    "34 27 0:41 / /tmp rw - tmpfs tmpfs rw,size=1g\n"
    "35 27 8:3 / /home rw - btrfs /dev/sda3 rw\n"
    "36 27 8:3 /@data /srv/data rw - btrfs /dev/sda3 rw\n"          // same device: no letter
    "37 27 8:2 /var/lib/hosts /etc/hosts rw - ext4 /dev/sda2 rw\n"  // the root's device again
    "38 27 8:33 / /mnt/space\\040disk rw - ntfs3 /dev/sdc1 rw\n"    // escaped space
    "39 27 7:0 / /mnt/iso ro - iso9660 /dev/loop0 ro\n"
    "40 27 253:0 / /mnt/zram rw - ext4 /dev/zram0 rw\n"
    "41 27 8:49 / /mnt/win rw - fuseblk /dev/sdd1 rw\n"
    "this line is not a mount\n"
    "42 27 8:65 / /media/usb rw - exfat /dev/sde1 rw\n";  // hides sdb1 at /media/usb

std::shared_ptr<TTableFacts> SampleMachine() {
    auto m = std::make_shared<TTableFacts>();
    m->Table = kMountInfo;
    m->Blocks = {
        {"8:1", {"sda", false, 0}},    {"8:2", {"sda", false, 0}},      {"8:3", {"sda", false, 0}},
        {"8:65", {"sde", true, 0}},    {"11:0", {"sr0", true, 5}},      {"8:33", {"sdc", false, 0}},
        {"7:0", {"loop0", false, -1}}, {"253:0", {"zram0", false, -1}}, {"8:49", {"sdd", false, 0}},
    };
    m->Tags = {
        {"/dev/sda2", {"system", "1b4e28ba-2fa1-11d2-883f-0016d3cca427", "ext4"}},
        {"/dev/sda1", {"EFI", "0ABC-1234", "vfat"}},
        {"/dev/sde1", {"STICK", "5E2F-88A0", "exfat"}},
        {"/dev/sr0", {"DVD_VIDEO", "2020-01-02-03-04-05-00", "iso9660"}},
        {"/dev/sdc1", {"Datos", "2C0CD2F20CD2B6DE", "ntfs"}},
        {"/dev/sdd1", {"Windows", "01D2A0B3C4E5F607", "ntfs"}},
    };
    m->Spaces = {
        {"/", {4096, 244190646, 100000000}},  // about 1 TB: far past 32 bits
        {"/boot/efi", {512, 1048576, 1000}},
        {"/media/usb", {32768, 1000000, 500000}},
        {"/media/cdrom", {2048, 2295104, 0}},
        {"/tmp", {4096, 262144, 262000}},
        {"/home", {4096, 1000, 10}},
        {"/mnt/space disk", {4096, 3, 2}},
        {"/mnt/iso", {2048, 100, 0}},
        {"/mnt/zram", {4096, 65536, 60000}},
        {"/mnt/win", {4096, quint64(1) << 62, quint64(1) << 40}},  // 2^74 bytes saturate
        {"/proc", {4096, 0, 0}},
    };
    return m;
}

// A machine that letters its drives itself, as Windows does: a table of what its three calls say.
class TLetteredFacts : public TDriveFacts {
public:
    QHash<QChar, TLetteredDrive> Drives;

    bool LettersOfItsOwn() const override { return true; }
    QString DriveLetters() const override {
        QString letters;
        for (char16_t c = u'A'; c <= u'Z'; ++c)
            if (Drives.contains(QChar(c)))
                letters += QChar(c);
        return letters;
    }
    std::optional<TLetteredDrive> LetteredDrive(QChar letter) const override {
        const auto it = Drives.constFind(letter);
        return it == Drives.constEnd() ? std::nullopt : std::optional<TLetteredDrive>(*it);
    }
    // A mount table that must never be read on such a machine: it would letter "/" as C.
    QByteArray MountTable() const override { return "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n"; }
};

std::shared_ptr<TLetteredFacts> LetteredMachine() {
    auto m = std::make_shared<TLetteredFacts>();
    // 2^40 bytes: sizes far past 32 bits; free space is the caller's quota, not the disk's.
    m->Drives.insert(u'C', {TDriveKind::Fixed, "C:\\", true, "System", "NTFS", 0x1B4E28BA,
                            TFsSpace{1, quint64(1) << 40, 123456789012}});
    m->Drives.insert(u'D', {TDriveKind::CdRom, "D:\\", false, {}, {}, 0, std::nullopt});  // no disc
    m->Drives.insert(
        u'E', {TDriveKind::Removable, "E:\\", true, "STICK", "FAT32", 0x0ABC1234, TFsSpace{1, 4000000000, 3999000000}});
    m->Drives.insert(u'R', {TDriveKind::RamDisk, "R:\\", true, {}, "FAT", 0, TFsSpace{1, 1 << 20, 1 << 19}});
    m->Drives.insert(u'S', {TDriveKind::Remote, "S:\\", true, "share", "NTFS", 0xFFFFFFFF, std::nullopt});
    m->Drives.insert(u'Z', {TDriveKind::Unknown, "Z:\\", true, "odd", "ext4", 7, TFsSpace{1, 0, 0}});
    return m;
}

struct TSnapshot {
    QString Drive, DriveType, FileSystem, VolumeName, SerialNumberStr, MountPoint;
    qint64 DriveSize, DriveFree;
    uint SerialNumber;
    bool VolumeValid;
    bool operator==(const TSnapshot& o) const {
        return Drive == o.Drive && DriveType == o.DriveType && FileSystem == o.FileSystem &&
               VolumeName == o.VolumeName && SerialNumberStr == o.SerialNumberStr && MountPoint == o.MountPoint &&
               DriveSize == o.DriveSize && DriveFree == o.DriveFree && SerialNumber == o.SerialNumber &&
               VolumeValid == o.VolumeValid;
    }
};

TSnapshot Snapshot(const TDiskInfo& d) {
    return {d.Drive(),      d.DriveType(), d.FileSystem(), d.VolumeName(),   d.SerialNumberStr(),
            d.MountPoint(), d.DriveSize(), d.DriveFree(),  d.SerialNumber(), d.VolumeValid()};
}

// Every field of a drive's description, each compared on its own so a failure names the field.
void CompareSnapshots(const TSnapshot& got, const TSnapshot& expected) {
    QCOMPARE(got.Drive, expected.Drive);
    QCOMPARE(got.DriveType, expected.DriveType);
    QCOMPARE(got.FileSystem, expected.FileSystem);
    QCOMPARE(got.VolumeName, expected.VolumeName);
    QCOMPARE(got.SerialNumberStr, expected.SerialNumberStr);
    QCOMPARE(got.MountPoint, expected.MountPoint);
    QCOMPARE(got.DriveSize, expected.DriveSize);
    QCOMPARE(got.DriveFree, expected.DriveFree);
    QCOMPARE(got.SerialNumber, expected.SerialNumber);
    QCOMPARE(got.VolumeValid, expected.VolumeValid);
}

// One spy per NOTIFY signal, in property order.
struct TSpies {
    explicit TSpies(TDiskInfo* d) {
        const char* signalsOf[] = {SIGNAL(DriveChanged()),           SIGNAL(DriveTypeChanged()),
                                   SIGNAL(DriveSizeChanged()),       SIGNAL(DriveFreeChanged()),
                                   SIGNAL(FileSystemChanged()),      SIGNAL(SerialNumberChanged()),
                                   SIGNAL(SerialNumberStrChanged()), SIGNAL(VolumeNameChanged())};
        for (const char* s : signalsOf)
            All.emplace_back(std::make_unique<QSignalSpy>(d, s));
    }
    QList<int> Counts() const {
        QList<int> counts;
        for (const auto& s : All)
            counts << int(s->count());
        return counts;
    }
    std::vector<std::unique_ptr<QSignalSpy>> All;
};

}  // namespace

Q_DECLARE_METATYPE(TSnapshot)

class TestDiskInfo : public QObject {
    Q_OBJECT
private slots:
    void constructedUnqueried();
    void describesDrives_data();
    void describesDrives();
    void refusesWhatNamesNoDrive_data();
    void refusesWhatNamesNoDrive();
    void failedQueryClearsThePreviousDrive();
    void qtFaceRefusesWithoutThrowing();
    void signalsOnlyWhatChanged();
    void lettersStopAtZ();
    void describesDrivesLetteredBySystem_data();
    void describesDrivesLetteredBySystem();
    void serialNumbers_data();
    void serialNumbers();
    void realRootFileSystem();
};

void TestDiskInfo::constructedUnqueried() {
    TDiskInfo d(nullptr);
    const TSnapshot expected{"C", "", "", "", "", "", 0, 0, 0, false};
    QCOMPARE(Snapshot(d), expected);
}

void TestDiskInfo::describesDrives_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<TSnapshot>("expected");
    auto row = [](const char* name, const char* value, TSnapshot s) {
        QTest::newRow(name) << QString::fromUtf8(value) << s;
    };
    // 244190646 x 4096 = 1000204886016; 100000000 x 4096 = 409600000000.
    row("c is the root", "c",
        {"C", kDriveFixed, "ext4", "system", "1B4E-28BA", "/", 1000204886016, 409600000000, 0x1B4E28BA, true});
    // 1048576 x 512 = 536870912; 1000 x 512 = 512000. FAT serial 0ABC-1234 kept exactly.
    row("D first by mount point", "d",
        {"D", kDriveFixed, "vfat", "EFI", "0ABC-1234", "/boot/efi", 536870912, 512000, 0x0ABC1234, true});
    // /home wins over the subvolume /srv/data of the same device (shorter root).
    row("E one letter per device", "E", {"E", kDriveFixed, "btrfs", "", "0000-0000", "/home", 4096000, 40960, 0, true});
    row("F optical", "F",
        {"F", kDriveCdRom, "iso9660", "DVD_VIDEO", "2020-0102", "/media/cdrom", 4700372992, 0, 0x20200102, true});
    // The later exfat mount hides the vfat one at /media/usb; removable flag set.
    // 1000000 x 32768 = 32768000000.
    row("G removable, later mount wins", "G",
        {"G", kDriveRemovable, "exfat", "STICK", "5E2F-88A0", "/media/usb", 32768000000, 16384000000, 0x5E2F88A0,
         true});
    row("H disc image", "H", {"H", kDriveCdRom, "iso9660", "", "0000-0000", "/mnt/iso", 204800, 0, 0, true});
    // NTFS serial 2C0CD2F2'0CD2B6DE: the low half.
    row("I escaped mount point, NTFS", "I",
        {"I", kDriveFixed, "ntfs3", "Datos", "0CD2-B6DE", "/mnt/space disk", 12288, 8192, 0x0CD2B6DE, true});
    // fuseblk shows the superblock's type; 2^62 blocks of 4096 bytes saturate, 2^40 x 2^12 = 2^52.
    row("J fuseblk, saturating size", "J",
        {"J", kDriveFixed, "ntfs", "Windows", "C4E5-F607", "/mnt/win", kMax64, 4503599627370496, 0xC4E5F607, true});
    row("K zram", "K", {"K", kDriveRamDisk, "ext4", "", "0000-0000", "/mnt/zram", 268435456, 245760000, 0, true});
    row("L names nothing", "L", {"L", "", "", "", "", "", -1, -1, 0, false});
    row("z names nothing", "z", {"Z", "", "", "", "", "", -1, -1, 0, false});
    row("root by path", "/",
        {"/", kDriveFixed, "ext4", "system", "1B4E-28BA", "/", 1000204886016, 409600000000, 0x1B4E28BA, true});
    // Network: no block facts, no space answer.
    row("nfs by path", "/mnt/share",
        {"/mnt/share", kDriveRemote, "nfs4", "", "0000-0000", "/mnt/share", -1, -1, 0, true});
    row("tmpfs, trailing slash", "/tmp/",
        {"/tmp", kDriveRamDisk, "tmpfs", "", "0000-0000", "/tmp", 1073741824, 1073152000, 0, true});
    row("path cleaned", "/mnt//space disk/",
        {"/mnt/space disk", kDriveFixed, "ntfs3", "Datos", "0CD2-B6DE", "/mnt/space disk", 12288, 8192, 0x0CD2B6DE,
         true});
    row("subvolume by path", "/srv/data",
        {"/srv/data", kDriveFixed, "btrfs", "", "0000-0000", "/srv/data", -1, -1, 0, true});
    row("kind of none of the five", "/proc", {"/proc", "", "proc", "", "0000-0000", "/proc", 0, 0, 0, true});
    row("path keeps its case", "/Home", {"/Home", "", "", "", "", "", -1, -1, 0, false});
    row("path not mounted", "/media/nothing", {"/media/nothing", "", "", "", "", "", -1, -1, 0, false});
}

void TestDiskInfo::describesDrives() {
    QFETCH(QString, value);
    QFETCH(TSnapshot, expected);
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, SampleMachine());
    d.SetDrive(value);
    CompareSnapshots(Snapshot(d), expected);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(d.property("Drive").toString(), expected.Drive);
    QCOMPARE(d.property("DriveSize").toLongLong(), expected.DriveSize);
}

void TestDiskInfo::refusesWhatNamesNoDrive_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("two letters") << "CD";
    QTest::newRow("letter and colon") << "C:";
    QTest::newRow("windows root") << "C:\\";
    QTest::newRow("digit") << "1";
    QTest::newRow("relative path") << "home";
    QTest::newRow("blank then letter") << " C";
    QTest::newRow("non-ASCII letter") << QString(QChar(0x00C7));
    QTest::newRow("very long") << QString(1000000, u'x');
}

void TestDiskInfo::refusesWhatNamesNoDrive() {
    QFETCH(QString, value);
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, SampleMachine());
    d.SetDrive(QStringLiteral("D"));
    const TSnapshot before = Snapshot(d);
    TSpies spies(&d);
    QString message;
    try {
        d.SetDrive(value);
    } catch (const Exception& e) {
        message = e.Message;
    }
    QVERIFY2(message.contains(QStringLiteral("letter")) && message.contains(QStringLiteral("mount point")),
             qPrintable(message));
    QVERIFY(message.size() < 300);
    QVERIFY(Snapshot(d) == before);
    QCOMPARE(spies.Counts(), QList<int>(8, 0));
    // Still usable.
    d.SetDrive(QStringLiteral("g"));
    QCOMPARE(d.VolumeName(), QStringLiteral("STICK"));
}

void TestDiskInfo::failedQueryClearsThePreviousDrive() {
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, SampleMachine());
    d.SetDrive(QStringLiteral("I"));
    QCOMPARE(d.VolumeName(), QStringLiteral("Datos"));
    TSpies spies(&d);
    d.SetDrive(QStringLiteral("Q"));
    const TSnapshot expected{"Q", "", "", "", "", "", -1, -1, 0, false};
    QVERIFY(Snapshot(d) == expected);
    QCOMPARE(spies.Counts(), QList<int>(8, 1));
}

// A write through the meta-object system never lets the error into Qt: a warning naming the
// component, and nothing changed.
void TestDiskInfo::qtFaceRefusesWithoutThrowing() {
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, SampleMachine());
    d.setProperty("Drive", QStringLiteral("d"));
    QCOMPARE(d.MountPoint(), QStringLiteral("/boot/efi"));
    const TSnapshot before = Snapshot(d);
    TSpies spies(&d);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Tallwick::TDiskInfo: 'Cx' is not a drive")));
    QVERIFY(d.setProperty("Drive", QStringLiteral("Cx")));
    QVERIFY(Snapshot(d) == before);
    QCOMPARE(spies.Counts(), QList<int>(8, 0));
    d.setProperty("Drive", QStringLiteral("/mnt/share"));
    QCOMPARE(d.DriveType(), QString::fromLatin1(kDriveRemote));
}

void TestDiskInfo::signalsOnlyWhatChanged() {
    auto machine = SampleMachine();
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, machine);
    d.SetDrive(QStringLiteral("C"));
    TSpies spies(&d);
    d.SetDrive(QStringLiteral("c"));  // the same drive, nothing changed
    QCOMPARE(spies.Counts(), QList<int>(8, 0));
    machine->Spaces[QStringLiteral("/")].Available -= 1;  // someone wrote a block
    d.SetDrive(QStringLiteral("C"));
    QCOMPARE(spies.Counts(), (QList<int>{0, 0, 0, 1, 0, 0, 0, 0}));
    QCOMPARE(d.DriveFree(), qint64(409600000000 - 4096));
    // Plain fields: a change signals once, an equal value not at all.
    d.SetVolumeName(QStringLiteral("other"));
    d.SetVolumeName(QStringLiteral("other"));
    d.setProperty("DriveSize", qint64(5));
    d.setProperty("DriveSize", qint64(5));
    QCOMPARE(spies.Counts(), (QList<int>{0, 0, 1, 1, 0, 0, 0, 1}));
    QCOMPARE(d.DriveSize(), qint64(5));
}

void TestDiskInfo::lettersStopAtZ() {
    auto machine = std::make_shared<TTableFacts>();
    machine->Table = "1 0 8:0 / / rw - ext4 /dev/sda rw\n";
    // 30 disks at /mnt/d00 ... /mnt/d29, listed backwards: letters follow the mount points.
    for (int i = 29; i >= 0; --i)
        machine->Table += QStringLiteral("%1 1 8:%2 / /mnt/d%3 rw - ext4 /dev/sd%2 rw\n")
                              .arg(i + 2)
                              .arg(16 * (i + 1))
                              .arg(i, 2, 10, QLatin1Char('0'))
                              .toUtf8();
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, machine);
    const QStringList drives = d.AvailableDrives();
    QCOMPARE(drives.size(), 24);
    QCOMPARE(drives.first(), QStringLiteral("C"));
    QCOMPARE(drives.last(), QStringLiteral("Z"));
    d.SetDrive(QStringLiteral("Z"));
    QCOMPARE(d.MountPoint(), QStringLiteral("/mnt/d22"));
    d.SetDrive(QStringLiteral("/mnt/d29"));  // beyond Z: still reachable by its mount point
    QVERIFY(d.VolumeValid());
    machine->Table.clear();  // nothing mounted at all
    QCOMPARE(d.AvailableDrives(), QStringList());
    d.SetDrive(QStringLiteral("C"));
    QVERIFY(!d.VolumeValid());
    QCOMPARE(d.DriveSize(), qint64(-1));
}

void TestDiskInfo::describesDrivesLetteredBySystem_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<TSnapshot>("expected");
    auto row = [](const char* name, const char* value, TSnapshot s) {
        QTest::newRow(name) << QString::fromUtf8(value) << s;
    };
    row("fixed, 64-bit sizes", "c",
        {"C", kDriveFixed, "NTFS", "System", "1B4E-28BA", "C:\\", 1099511627776, 123456789012, 0x1B4E28BA, true});
    row("cd drive without a disc", "D", {"D", kDriveCdRom, "", "", "", "D:\\", -1, -1, 0, false});
    row("removable", "e",
        {"E", kDriveRemovable, "FAT32", "STICK", "0ABC-1234", "E:\\", 4000000000, 3999000000, 0x0ABC1234, true});
    row("ram disk, no serial", "R", {"R", kDriveRamDisk, "FAT", "", "0000-0000", "R:\\", 1048576, 524288, 0, true});
    row("remote, size unknown", "S",
        {"S", kDriveRemote, "NTFS", "share", "FFFF-FFFF", "S:\\", -1, -1, 0xFFFFFFFF, true});
    row("kind Windows does not know", "Z", {"Z", "", "ext4", "odd", "0000-0007", "Z:\\", 0, 0, 7, true});
    row("letter with no drive", "F", {"F", "", "", "", "", "", -1, -1, 0, false});
    row("a path names nothing", "/", {"/", "", "", "", "", "", -1, -1, 0, false});
}

// The same component over a system's own letters: nothing is taken from a mount table.
void TestDiskInfo::describesDrivesLetteredBySystem() {
    QFETCH(QString, value);
    QFETCH(TSnapshot, expected);
    TDiskInfo d(nullptr);
    TDiskInfoFacts::Set(d, SampleMachine());
    d.SetDrive(QStringLiteral("J"));  // something of another drive to be cleared
    TDiskInfoFacts::Set(d, LetteredMachine());
    d.SetDrive(value);
    CompareSnapshots(Snapshot(d), expected);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(d.AvailableDrives(), QStringList({"C", "D", "E", "R", "S", "Z"}));
}

void TestDiskInfo::serialNumbers_data() {
    QTest::addColumn<QString>("uuid");
    QTest::addColumn<QString>("fileSystem");
    QTest::addColumn<uint>("serial");
    QTest::addColumn<QString>("text");
    // Seven significant hex digits keep the leading zero.
    QTest::newRow("FAT ABC1234") << "0ABC-1234"
                                 << "vfat" << 0x0ABC1234u << "0ABC-1234";
    QTest::newRow("FAT lower case") << "5e2f-88a0"
                                    << "vfat" << 0x5E2F88A0u << "5E2F-88A0";
    QTest::newRow("ext4 first 32 bits") << "1b4e28ba-2fa1-11d2-883f-0016d3cca427"
                                        << "ext4" << 0x1B4E28BAu << "1B4E-28BA";
    QTest::newRow("NTFS low half") << "2C0CD2F20CD2B6DE"
                                   << "ntfs" << 0x0CD2B6DEu << "0CD2-B6DE";
    QTest::newRow("no UUID") << ""
                             << "tmpfs" << 0u << "0000-0000";
    QTest::newRow("not hexadecimal") << "zz-not-a-uuid"
                                     << "ext4" << 0u << "0000-0000";
    QTest::newRow("short") << "12ab"
                           << "minix" << 0x12ABu << "0000-12AB";
    QTest::newRow("all ones") << "FFFF-FFFF"
                              << "vfat" << 0xFFFFFFFFu << "FFFF-FFFF";
}

void TestDiskInfo::serialNumbers() {
    QFETCH(QString, uuid);
    QFETCH(QString, fileSystem);
    QFETCH(uint, serial);
    QFETCH(QString, text);
    QCOMPARE(TDiskInfo::SerialNumberFromUuid(uuid, fileSystem), serial);
    QCOMPARE(TDiskInfo::SerialNumberText(serial), text);
}

// The machine the test runs on: its root file system as Qt's own storage query sees it.
void TestDiskInfo::realRootFileSystem() {
    TDiskInfo d(nullptr);
    d.SetDrive(QStringLiteral("C"));
#ifdef Q_OS_WIN
    const QStorageInfo root(QStringLiteral("C:/"));  // Windows' own C: drive
    QCOMPARE(d.MountPoint(), QStringLiteral("C:\\"));
#else
    const QStorageInfo root = QStorageInfo::root();
    QCOMPARE(d.MountPoint(), QStringLiteral("/"));
#endif
    QVERIFY(d.VolumeValid());
    QCOMPARE(d.FileSystem().toUtf8(), root.fileSystemType());
    QCOMPARE(d.DriveSize(), root.bytesTotal());
    QVERIFY(d.DriveSize() > 0);
    // Other programs write meanwhile: free space agrees within 256 MiB.
    QVERIFY(qAbs(d.DriveFree() - root.bytesAvailable()) <= 256ll << 20);
    QVERIFY(d.DriveFree() >= 0 && d.DriveFree() <= d.DriveSize());
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{4}-[0-9A-F]{4}$")).match(d.SerialNumberStr()).hasMatch());
    QCOMPARE(d.SerialNumberStr(), TDiskInfo::SerialNumberText(d.SerialNumber()));
    const QStringList kinds{kDriveRemovable, kDriveFixed, kDriveRemote, kDriveCdRom, kDriveRamDisk};
    if (root.device().startsWith("/dev/"))
        QVERIFY2(kinds.contains(d.DriveType()), qPrintable(d.DriveType()));
    QVERIFY(d.AvailableDrives().contains(QStringLiteral("C")));
}

QTEST_GUILESS_MAIN(TestDiskInfo)
#include "tst_diskinfo.moc"
