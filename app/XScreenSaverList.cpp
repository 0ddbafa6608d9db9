// Adding the saver to XScreenSaver's list of display programs.
#include "XScreenSaverList.h"

#include <Tallwick/Exception.h>
#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <cstdio>

namespace Tallwick {

const char* const kXScreenSaverEntry = "\"Skyglow II\"  skyglow --root";

namespace {
constexpr qint64 kLargestFile = 1 << 20;  // XScreenSaver's own files are a few kilobytes

struct TProgramsLines {
    int First = -1;  // the "programs:" line
    int Last = -1;   // the last line of its value
};

bool Continues(const QByteArray& line) { return line.endsWith('\\'); }

// Where the programs resource starts and ends; First stays -1 when there is none.
TProgramsLines FindPrograms(const QList<QByteArray>& lines, QString& reason) {
    static const QRegularExpression kHeader(QStringLiteral("^\\s*\\*?programs\\s*:"));
    TProgramsLines found;
    for (int i = 0; i < lines.size() && found.First < 0; ++i)
        if (kHeader.match(QString::fromLatin1(lines[i])).hasMatch())
            found.First = i;
    if (found.First < 0) {
        reason = QStringLiteral("it has no programs: list");
        return found;
    }
    found.Last = found.First;
    while (Continues(lines[found.Last])) {
        if (++found.Last >= lines.size()) {
            reason = QStringLiteral("its programs: list runs on past the end of the file");
            found.First = -1;
            return found;
        }
    }
    return found;
}

// The program an entry runs: what follows the "-" of a disabled entry, a visual such as "GL:" and
// the quoted title.
QString EntryProgram(QString entry) {
    static const QRegularExpression kVisual(QStringLiteral("^[A-Za-z0-9_-]+:"));
    entry = entry.trimmed();
    if (entry.startsWith(QLatin1Char('-')))
        entry = entry.mid(1).trimmed();
    entry.remove(kVisual);
    entry = entry.trimmed();
    if (entry.startsWith(QLatin1Char('"'))) {
        const int close = entry.indexOf(QLatin1Char('"'), 1);
        entry = close < 0 ? QString() : entry.mid(close + 1).trimmed();
    }
    return QFileInfo(entry.section(QLatin1Char(' '), 0, 0).section(QLatin1Char('\t'), 0, 0)).fileName();
}

bool ListsSaver(const QList<QByteArray>& lines, const TProgramsLines& programs) {
    QByteArray value;
    for (int i = programs.First; i <= programs.Last; ++i)
        value += Continues(lines[i]) ? lines[i].chopped(1) : lines[i];
    value = value.mid(value.indexOf(':') + 1);
    for (const QString& entry : QString::fromLocal8Bit(value).split(QStringLiteral("\\n"))) {
        const QString program = EntryProgram(entry);
        if (program == QLatin1String("skyglow") || program == QLatin1String("Skyglow.scr"))
            return true;
    }
    return false;
}

// The entry goes first: after a header that continues, or in front of a one-line value.
QList<QByteArray> WithEntry(QList<QByteArray> lines, int header) {
    const QByteArray entry = QByteArray("  ") + kXScreenSaverEntry;
    if (Continues(lines[header])) {
        lines.insert(header + 1, entry + " \\n\\");
        return lines;
    }
    const QByteArray line = lines[header];
    const int colon = line.indexOf(':');
    const QByteArray rest = line.mid(colon + 1).trimmed();
    lines[header] = line.left(colon + 1) + "\t\\";
    if (rest.isEmpty()) {
        lines.insert(header + 1, entry);
        return lines;
    }
    lines.insert(header + 1, entry + " \\n\\");
    lines.insert(header + 2, "  " + rest);
    return lines;
}

int Say(FILE* stream, const QString& program, const QString& text, int status) {
    std::fprintf(stream, "%s: %s\n", qPrintable(program), text.toLocal8Bit().constData());
    std::fflush(stream);
    return status;
}

// XScreenSaver's own list of display programs, as its resource defaults give it ("*programs:"),
// without the leading "*" that a user's file does not have. Empty when they cannot be read.
QList<QByteArray> DefaultPrograms() {
    for (const char* path : {"/etc/X11/app-defaults/XScreenSaver", "/usr/share/X11/app-defaults/XScreenSaver"}) {
        QFile file(QString::fromLatin1(path));
        if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestFile)
            continue;
        const QList<QByteArray> lines = file.read(kLargestFile).split('\n');
        QString reason;
        const TProgramsLines programs = FindPrograms(lines, reason);
        if (programs.First < 0)
            continue;
        QList<QByteArray> list = lines.mid(programs.First, programs.Last - programs.First + 1);
        list.first() = list.first().trimmed();
        if (list.first().startsWith('*'))
            list.first().remove(0, 1);
        return list;
    }
    return {};
}

// A file XScreenSaver takes as the user's own: its list of display programs, nothing else, so
// that every other setting keeps XScreenSaver's default until the user changes it there.
QByteArray NewFile() {
    QList<QByteArray> programs = DefaultPrograms();
    if (programs.isEmpty())
        programs << "programs:";
    return "# XScreenSaver Preferences File\n"
           "# Made by skyglow --add-to-xscreensaver: XScreenSaver's own list of display programs.\n\n" +
           programs.join('\n') + '\n';
}

QString HomeFile() {
    const QByteArray home = qgetenv("HOME");
    const QString dir = home.startsWith('/') ? QString::fromLocal8Bit(home) : QDir::homePath();
    return QDir(dir).filePath(QStringLiteral(".xscreensaver"));
}
}  // namespace

TProgramsEdit AddSaverEntry(const QByteArray& file) {
    TProgramsEdit edit;
    const bool endsWithNewline = file.endsWith('\n');
    QList<QByteArray> lines = file.split('\n');
    if (endsWithNewline)
        lines.removeLast();
    const TProgramsLines programs = FindPrograms(lines, edit.Reason);
    if (programs.First < 0)
        return edit;
    if (ListsSaver(lines, programs)) {
        edit.Result = lePresent;
        return edit;
    }
    edit.Result = leAdded;
    edit.Text = WithEntry(lines, programs.First).join('\n') + '\n';
    return edit;
}

// A user who never changed a setting in XScreenSaver's dialog has no file: one is made.
int MakeFile(const QString& program, const QString& path) {
    const TProgramsEdit edit = AddSaverEntry(NewFile());
    try {
        ReplaceFile(path, edit.Text);
    } catch (const Exception& error) {
        return Say(stderr, program, error.Message, 1);
    }
    return Say(stdout, program,
               QStringLiteral("made %1 with XScreenSaver's own list of display programs and %2 first")
                   .arg(path, QString::fromLatin1(kXScreenSaverEntry)),
               0);
}

int AddToXScreenSaver(const QString& program) {
    const QString path = HomeFile();
    QFile file(path);
    if (!file.exists())
        return MakeFile(program, path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestFile)
        return Say(stderr, program,
                   QStringLiteral("%1 cannot be read or is larger than 1 MB; it is left as it is").arg(path), 1);
    const QByteArray before = file.read(kLargestFile);
    const TProgramsEdit edit = AddSaverEntry(before);
    if (edit.Result == leUnreadable)
        return Say(stderr, program, QStringLiteral("%1 is left as it is: %2").arg(path, edit.Reason), 1);
    if (edit.Result == lePresent)
        return Say(stdout, program, QStringLiteral("%1 already lists skyglow; nothing changed").arg(path), 0);
    const QString backup = path + QStringLiteral(".bak-skyglow");
    try {
        ReplaceFile(backup, before);
        ReplaceFile(path, edit.Text);
    } catch (const Exception& error) {
        return Say(stderr, program, error.Message + QStringLiteral("; %1 is left as it is").arg(path), 1);
    }
    return Say(stdout, program,
               QStringLiteral("added %1 to the programs of %2 (the previous file is kept as %3)")
                   .arg(QString::fromLatin1(kXScreenSaverEntry), path, backup),
               0);
}

}  // namespace Tallwick
