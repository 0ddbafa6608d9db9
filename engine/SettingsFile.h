#pragma once
// The settings file: the title that ties it to this program, then four colours, the star count,
// the speed and the logo byte, little-endian, 29 bytes plus the title's length:
//   title length (4) | title | BackColor | StarColor | TextColor1 | TextColor2 | StarCount | Speed | ShowLogo (1)
#include <Tallwick/Color.h>

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace Tallwick {

// The seven settings, holding the defaults until read.
struct TSkySettings {
    TColor BackColor = 0;
    TColor StarColor = 0xFFFFFF;
    TColor TextColor1 = 0xB4B4B4;
    TColor TextColor2 = 0xFF0000;
    int StarCount = 1000;
    int Speed = 50;
    unsigned char ShowLogo = 1;
};

struct TSettingsRead {
    TSkySettings Values;        // read, or the defaults (no file, a damaged one)
    bool Damaged = false;       // the file ends before its layout does, or its title length is negative
    bool ForeignTitle = false;  // the file is headed by another title; Values hold what it says
    QString Problem;            // what was wrong with the file; empty when nothing was
};

class TSettingsFile {
public:
    // Reads the file at `path`; a missing file gives the defaults, and so does a damaged one rather
    // than values read out of place. Raises EFOpenError "Cannot open file %s" when the file is
    // there but cannot be opened.
    static TSettingsRead Read(const QString& path, const QByteArray& title);
    // Writes the file in one step (the previous one stays whole when writing fails). For the
    // user's own file (userOwn), its folder and the folders above are made first when missing
    // (0700), and a new file is the user's alone (0600). Raises EFCreateError "Cannot create
    // file %s" followed by the reason; a path that is or links to a device or another special
    // file is refused.
    static void Write(const QString& path, const TSkySettings& values, const QByteArray& title, bool userOwn = false);
    static QByteArray Bytes(const TSkySettings& values, const QByteArray& title);

private:
    static QString DamageIn(QIODevice& file, qint32& titleLength);
    static QByteArray ReadTitle(QIODevice& file, qint32 titleLength);
    static TSkySettings ReadFields(QIODevice& file);
    static QString ForeignProblem(const QByteArray& stored, qint32 titleLength, const QByteArray& title);
};

}  // namespace Tallwick
