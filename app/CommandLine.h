#pragma once
// The whole command line. The first argument chooses what happens:
//   "/s", "/p ID", an argument containing "/c"   the classic switches (see ModeDispatch.h)
//   "-root" / "--root"                            draw in the window XSCREENSAVER_WINDOW names
//   "-window-id ID" / "--window-id ID"           draw in window ID (decimal, or hex with "0x")
//   "--help"                                      the usage on stdout
//   "--add-to-xscreensaver"                       add the saver to ~/.xscreensaver
// anything else ends the program at once, quietly. After "/s", "/p ID", "--root" or
// "--window-id ID" the options below may follow in any order; they override the settings file for
// that run only, and inside a host's window ("--root", "--window-id") they override the defaults:
// the settings file is not read there. "--root --window-id ID" (how XScreenSaver's settings dialog starts its preview)
// draws in window ID.
#include "ModeDispatch.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace Tallwick {

class TStars;

// Settings given on the command line; each one that is set replaces the file's value.
struct TSettingsOverrides {
    std::optional<unsigned> BackColor, StarColor, TextColor1, TextColor2;  // TColor values
    std::optional<int> StarCount, Speed;
    std::optional<bool> ShowLogo;
    // The settings file is not read: the defaults and the options above are all there is. So it
    // is inside a host's window, whose own settings dialog gives every setting on the command
    // line and leaves out those at their defaults.
    bool DefaultsOnly = false;

    void ApplyTo(TStars& stars) const;
};

enum TCommandAction { caNone, caRun, caHelp, caAddToXScreenSaver, caError };

struct TCommandLine {
    TCommandAction Action = caNone;
    TMode Mode = mdNone;  // for caRun
    // Drawing inside another program's window ("--root", "--window-id"): HostWindow is that
    // window; errors then go to stderr only.
    bool InHostWindow = false;
    unsigned long HostWindow = 0;
    // The settings dialog's "/c:ID" (Windows' Screen Saver Settings dialog gives its own window):
    // the window the dialog belongs to; 0 when none is given or the number is none.
    unsigned long OwnerWindow = 0;
    TSettingsOverrides Overrides;
    // For caError: the line for stderr (without the program name) and the exit status.
    QString Error;
    int Status = 0;
};

// `arguments` are those after the program path; `xscreensaverWindow` is the value of the
// environment variable XSCREENSAVER_WINDOW (empty when it is not set).
TCommandLine ParseCommandLine(const QStringList& arguments, const QByteArray& xscreensaverWindow);

// The text --help prints; `program` is the name the program was started by.
QString UsageText(const QString& program);

// A window id as hosts write it: decimal, or hex after "0x"/"0X"; 1 to 0xFFFFFFFF. 0 when the text
// is none.
unsigned long ParseWindowId(const QString& text);

// The window a settings argument names after "/c:" ("/c:1234" gives 1234); 0 when it names none.
unsigned long OwnerWindowOf(const QString& settingsArgument);

// "#RRGGBB" or a colour name Qt knows, as a TColor (0x00BBGGRR); nothing when it is neither.
std::optional<unsigned> ParseColorArgument(const QString& text);

}  // namespace Tallwick
