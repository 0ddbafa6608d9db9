// Any bytes as the settings file: loading never crashes, never allocates from a stored length,
// and leaves the seven settings either read or at their defaults.
#include "HeadlessPlatform.h"
#include "Tstars.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace Tallwick;

namespace {
QTemporaryDir* gDir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    HeadlessPlatformIfNoDisplay();
    new QApplication(*argc, *argv);
    gDir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = gDir->filePath(QStringLiteral("Skyglow.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    TStars stars;
    stars.SettingsPath = path;
    stars.LoadSettings();
    // A file too short for our title and the fields is damaged or foreign, and a damaged one gives
    // exactly the defaults.
    if (size < 39 && !stars.ForeignTitle && !stars.SettingsDamaged)
        std::abort();
    const TSkySettings defaults;
    if (stars.SettingsDamaged && TSettingsFile::Bytes(stars, "title") != TSettingsFile::Bytes(defaults, "title"))
        std::abort();
    return 0;
}
