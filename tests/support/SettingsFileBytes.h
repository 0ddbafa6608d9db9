#pragma once
// The settings file as the saver writes it, spelled out byte by byte so that tests check the
// layout rather than trust the writer: the title's length and "Skyglow II", then the background,
// star and two text colours (red first), the star count, the speed and the logo byte, all
// little-endian.
#include <QByteArray>

namespace TestSettings {

// The default settings on the background given as the file stores it, e.g. "40302000" for red
// 0x40, green 0x30, blue 0x20.
inline QByteArray FileWithBackground(const char* storedBackground) {
    return QByteArray::fromHex(QByteArray("0a000000"
                                          "536b79676c6f77204949"  // "Skyglow II"
                                          ) +
                               storedBackground +
                               "ffffff00"
                               "b4b4b400"
                               "0000ff00"
                               "e8030000"  // 1000 stars
                               "32000000"  // speed 50
                               "01");      // the logo shown
}

// The file the defaults make, byte for byte.
inline const QByteArray kDefaultFile = FileWithBackground("00000000");

}  // namespace TestSettings
