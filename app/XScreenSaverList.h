#pragma once
// Adding the saver to XScreenSaver's list of display programs: the "programs:" resource of
// ~/.xscreensaver, one entry per line, entries separated by "\n" and lines continued by a
// trailing backslash. An entry may be disabled ("-" in front), name a visual ("GL:") and carry a
// quoted title before its command.
#include <QByteArray>
#include <QString>

namespace Tallwick {

enum TListEdit { leAdded, lePresent, leUnreadable };

struct TProgramsEdit {
    TListEdit Result = leUnreadable;
    QByteArray Text;  // the file with the entry added (leAdded)
    QString Reason;   // why the file could not be read (leUnreadable)
};

// The entry added: "Skyglow II" skyglow --root.
extern const char* const kXScreenSaverEntry;

// Adds the entry to the programs of `file` (the bytes of a ~/.xscreensaver) unless an entry, enabled
// or not, already runs skyglow.
TProgramsEdit AddSaverEntry(const QByteArray& file);

// Does it to the user's ~/.xscreensaver, keeping the previous file as ~/.xscreensaver.bak-skyglow.
// Without that file (XScreenSaver's dialog writes one only once a setting is changed there) it
// makes one holding XScreenSaver's own list of display programs, read from its resource defaults,
// with the entry first. Says what happened in one line (stdout when done, stderr when not) and
// returns the exit status: 0 added, made or already there, 1 a file it cannot read or write.
int AddToXScreenSaver(const QString& program);

}  // namespace Tallwick
