// The drive facts on Windows: Windows names its drives by letters itself, and describes each one
// through GetDriveTypeW, GetVolumeInformationW and GetDiskFreeSpaceExW (64-bit byte counts).
// There is no mount table and no block device to ask.
#include "DriveFacts.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace Tallwick {

namespace {

// A drive whose volume does not answer (a network share whose server is gone) is given up after
// this long; the asking thread is left behind.
constexpr auto kDriveTimeout = std::chrono::seconds(5);

TDriveKind KindOf(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE: return TDriveKind::Removable;
    case DRIVE_FIXED: return TDriveKind::Fixed;
    case DRIVE_REMOTE: return TDriveKind::Remote;
    case DRIVE_CDROM: return TDriveKind::CdRom;
    case DRIVE_RAMDISK: return TDriveKind::RamDisk;
    default: return TDriveKind::Unknown;  // DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR
    }
}

// The three calls for one root ("C:\"). A drive without a medium would make Windows ask the user
// to insert one: the thread's error mode keeps that box away.
TLetteredDrive Ask(const std::wstring& root) {
    DWORD oldMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    TLetteredDrive drive;
    drive.Root = QString::fromStdWString(root);
    drive.Kind = KindOf(::GetDriveTypeW(root.c_str()));
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    if (::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, &serial, nullptr, nullptr, fileSystem,
                                MAX_PATH + 1)) {
        drive.VolumeKnown = true;
        drive.Label = QString::fromWCharArray(label);
        drive.FileSystem = QString::fromWCharArray(fileSystem);
        drive.Serial = serial;
    }
    ULARGE_INTEGER available{}, total{}, free{};
    if (::GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free))
        drive.Space = TFsSpace{1, total.QuadPart, available.QuadPart};
    ::SetThreadErrorMode(oldMode, nullptr);
    return drive;
}

// One query and its answer, shared by the asking thread and the one that waits.
struct TPendingDrive {
    std::mutex Lock;
    std::condition_variable Done;
    bool Finished = false;
    TLetteredDrive Result;
};

void AskInto(std::shared_ptr<TPendingDrive> pending, std::wstring root) {
    TLetteredDrive result = Ask(root);
    const std::lock_guard<std::mutex> lock(pending->Lock);
    pending->Result = std::move(result);
    pending->Finished = true;
    pending->Done.notify_all();
}

}  // namespace

TDriveFacts::~TDriveFacts() = default;

QByteArray TDriveFacts::MountTable() const { return {}; }

std::optional<TBlockFacts> TDriveFacts::BlockDevice(quint32, quint32) const { return std::nullopt; }

TVolumeTags TDriveFacts::VolumeTags(const QString&, quint32, quint32) const { return {}; }

std::optional<TFsSpace> TDriveFacts::Space(const QString&) const { return std::nullopt; }

bool TDriveFacts::LettersOfItsOwn() const { return true; }

QString TDriveFacts::DriveLetters() const {
    const DWORD mask = ::GetLogicalDrives();
    QString letters;
    for (int i = 0; i < 26; ++i)
        if (mask & (DWORD(1) << i))
            letters += QChar(char16_t(u'A' + i));
    return letters;
}

std::optional<TLetteredDrive> TDriveFacts::LetteredDrive(QChar letter) const {
    if (letter < u'A' || letter > u'Z' || !DriveLetters().contains(letter))
        return std::nullopt;
    const std::wstring root = {wchar_t(letter.unicode()), L':', L'\\'};
    auto pending = std::make_shared<TPendingDrive>();
    try {
        std::thread(AskInto, pending, root).detach();
    } catch (const std::system_error&) {  // no thread to be had: ask here
        return Ask(root);
    }
    std::unique_lock<std::mutex> lock(pending->Lock);
    if (!pending->Done.wait_for(lock, kDriveTimeout, [&] { return pending->Finished; })) {
        TLetteredDrive silent;  // known to be there, but its volume does not answer
        silent.Root = QString::fromStdWString(root);
        silent.Kind = KindOf(::GetDriveTypeW(root.c_str()));
        return silent;
    }
    return pending->Result;
}

}  // namespace Tallwick
