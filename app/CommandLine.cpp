// The whole command line of the saver program: the mode and the options of the hosts.
#include "CommandLine.h"

#include "Tstars.h"

#include <QColor>
#include <QRegularExpression>

namespace Tallwick {

namespace {
constexpr int kBadUsage = 2;                          // a bad or missing value, an unknown option
constexpr int kNoWindow = 1;                          // no window to draw in
constexpr int kFewestStars = 10, kMostStars = 10000;  // the settings dialog's range
constexpr int kSlowest = 0, kFastest = 100;
const char* const kColorKinds = "#RRGGBB or a colour name such as black or navy";

bool IsRoot(const QString& a) { return a == QLatin1String("-root") || a == QLatin1String("--root"); }
bool IsWindowId(const QString& a) { return a == QLatin1String("-window-id") || a == QLatin1String("--window-id"); }

TCommandLine Failure(const QString& line, int status) {
    TCommandLine result;
    result.Action = caError;
    result.Error = line;
    result.Status = status;
    return result;
}

// "--stars needs a whole number from 10 to 10000, not "many"" and the like.
QString BadValue(const QString& option, const QString& accepted, const QStringList& arguments, int valueIndex) {
    if (valueIndex >= arguments.size())
        return QStringLiteral("%1 needs a value: %2").arg(option, accepted);
    return QStringLiteral("%1 needs %2, not \"%3\"").arg(option, accepted, arguments[valueIndex]);
}

std::optional<int> ParseWholeNumber(const QString& text, int low, int high) {
    static const QRegularExpression kDigits(QStringLiteral("^[+-]?[0-9]{1,10}$"));
    if (!kDigits.match(text).hasMatch())
        return std::nullopt;
    const qlonglong value = text.toLongLong();
    if (value < low || value > high)
        return std::nullopt;
    return int(value);
}

// One option at arguments[i], with its value when it takes one; i is left on the last argument
// used. Returns an error line, or an empty text when the option was taken.
QString TakeOption(const QStringList& arguments, int& i, TSettingsOverrides& overrides) {
    const QString option = arguments[i];
    const QString value = arguments.value(i + 1);
    if (option == QLatin1String("--logo") || option == QLatin1String("--no-logo")) {
        overrides.ShowLogo = option == QLatin1String("--logo");
        return QString();
    }
    if (option == QLatin1String("--stars") || option == QLatin1String("--speed")) {
        const bool stars = option == QLatin1String("--stars");
        const int low = stars ? kFewestStars : kSlowest, high = stars ? kMostStars : kFastest;
        const std::optional<int> number = ParseWholeNumber(value, low, high);
        if (!number)
            return BadValue(option, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high), arguments,
                            i + 1);
        (stars ? overrides.StarCount : overrides.Speed) = number;
        ++i;
        return QString();
    }
    std::optional<unsigned>* colour = nullptr;
    if (option == QLatin1String("--background"))
        colour = &overrides.BackColor;
    else if (option == QLatin1String("--star-color"))
        colour = &overrides.StarColor;
    else if (option == QLatin1String("--text-color"))
        colour = &overrides.TextColor1;
    else if (option == QLatin1String("--shadow-color"))
        colour = &overrides.TextColor2;
    if (!colour)
        return QStringLiteral("unknown option \"%1\" (--help lists the options)").arg(option);
    *colour = ParseColorArgument(value);
    if (!*colour)
        return BadValue(option, QString::fromLatin1(kColorKinds), arguments, i + 1);
    ++i;
    return QString();
}

// The window "--root" draws in: XSCREENSAVER_WINDOW's.
TCommandLine RootWindow(TCommandLine result, const QByteArray& xscreensaverWindow) {
    if (xscreensaverWindow.isEmpty())
        return Failure(QStringLiteral("--root needs the environment variable XSCREENSAVER_WINDOW to name the window "
                                      "to draw in (XScreenSaver sets it); it is not set"),
                       kNoWindow);
    const QString text = QString::fromLocal8Bit(xscreensaverWindow.left(64));
    result.HostWindow = ParseWindowId(text);
    if (result.HostWindow == 0)
        return Failure(
            QStringLiteral("XSCREENSAVER_WINDOW=\"%1\" is not a window id (decimal, or hex with 0x)").arg(text),
            kNoWindow);
    return result;
}

// Everything after the mode: options, and in a host window "--root" and "--window-id ID" as
// well. Loose words after the classic switches are ignored, as they always were.
TCommandLine ParseOptions(TCommandLine result, const QStringList& arguments, int first,
                          const QByteArray& xscreensaverWindow) {
    bool windowGiven = false;
    for (int i = first; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help")) {
            result.Action = caHelp;
            return result;
        }
        if (result.InHostWindow && IsRoot(argument))
            continue;
        if (result.InHostWindow && IsWindowId(argument)) {
            result.HostWindow = ParseWindowId(arguments.value(i + 1));
            if (result.HostWindow == 0)
                return Failure(
                    BadValue(argument, QStringLiteral("a window id (decimal, or hex with 0x)"), arguments, i + 1),
                    kBadUsage);
            windowGiven = true;
            ++i;
            continue;
        }
        if (!result.InHostWindow && !argument.startsWith(QLatin1Char('-')))
            continue;
        const QString error = TakeOption(arguments, i, result.Overrides);
        if (!error.isEmpty())
            return Failure(error, kBadUsage);
    }
    if (result.InHostWindow && !windowGiven)
        return RootWindow(result, xscreensaverWindow);
    return result;
}
}  // namespace

void TSettingsOverrides::ApplyTo(TStars& stars) const {
    if (BackColor)
        stars.BackColor = *BackColor;
    if (StarColor)
        stars.StarColor = *StarColor;
    if (TextColor1)
        stars.TextColor1 = *TextColor1;
    if (TextColor2)
        stars.TextColor2 = *TextColor2;
    if (StarCount)
        stars.StarCount = *StarCount;
    if (Speed)
        stars.Speed = *Speed;
    if (ShowLogo)
        stars.ShowLogo = *ShowLogo ? 1 : 0;
}

unsigned long OwnerWindowOf(const QString& settingsArgument) {
    const int colon = settingsArgument.indexOf(QLatin1String("/c:"));
    return colon < 0 ? 0 : ParseWindowId(settingsArgument.mid(colon + 3));
}

unsigned long ParseWindowId(const QString& text) {
    static const QRegularExpression kId(QStringLiteral("^(?:0[xX]([0-9A-Fa-f]{1,8})|([0-9]{1,10}))$"));
    const QRegularExpressionMatch match = kId.match(text);
    if (!match.hasMatch())
        return 0;
    const bool hex = !match.captured(1).isEmpty();
    const qulonglong id = hex ? match.captured(1).toULongLong(nullptr, 16) : match.captured(2).toULongLong();
    return id <= 0xFFFFFFFFull ? static_cast<unsigned long>(id) : 0;
}

std::optional<unsigned> ParseColorArgument(const QString& text) {
    static const QRegularExpression kHex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    static const QRegularExpression kName(QStringLiteral("^[A-Za-z]{1,40}$"));
    const bool name = kName.match(text).hasMatch();
    if (!kHex.match(text).hasMatch() && (!name || text.compare(QLatin1String("transparent"), Qt::CaseInsensitive) == 0))
        return std::nullopt;
    const QColor colour(text);
    if (!colour.isValid())
        return std::nullopt;
    return unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16;
}

TCommandLine ParseCommandLine(const QStringList& arguments, const QByteArray& xscreensaverWindow) {
    TCommandLine result;
    if (arguments.isEmpty())
        return result;
    const QString& first = arguments.first();
    if (first == QLatin1String("--help")) {
        result.Action = caHelp;
        return result;
    }
    if (first == QLatin1String("--add-to-xscreensaver")) {
        if (arguments.size() > 1)
            return Failure(QStringLiteral("--add-to-xscreensaver takes nothing after it, not \"%1\"").arg(arguments[1]),
                           kBadUsage);
        result.Action = caAddToXScreenSaver;
        return result;
    }
    if (IsRoot(first) || IsWindowId(first)) {
        result.Action = caRun;
        result.Mode = mdPreview;
        result.InHostWindow = true;
        result.Overrides.DefaultsOnly = true;
        return ParseOptions(result, arguments, 0, xscreensaverWindow);
    }
    result.Mode = ParseMode(arguments);
    result.Action = result.Mode == mdNone ? caNone : caRun;
    if (result.Mode == mdSaver)
        return ParseOptions(result, arguments, 1, xscreensaverWindow);
    if (result.Mode == mdPreview)
        return ParseOptions(result, arguments, 2, xscreensaverWindow);
    result.OwnerWindow = OwnerWindowOf(first);
    return result;  // the settings dialog takes no other options
}

QString UsageText(const QString& program) {
    return QStringLiteral(
               "Skyglow II, a star-field screen saver.\n"
               "\n"
               "Usage: %1 /s [OPTIONS]              full screen on every monitor\n"
               "       %1 /p ID [OPTIONS]           preview inside window ID\n"
               "       %1 /c[:ID]                   the settings dialog, for window ID\n"
               "       %1 --root [OPTIONS]          inside the window XSCREENSAVER_WINDOW names\n"
               "       %1 --window-id ID [OPTIONS]  inside window ID (also -root, -window-id)\n"
               "       %1 --add-to-xscreensaver     add the saver to the programs of ~/.xscreensaver\n"
               "       %1 --help                    this text\n"
               "\n"
               "A window ID is decimal, or hex with 0x. With both --root and --window-id, the window\n"
               "id wins. The options override the settings file for this run only:\n"
               "  --stars N            number of stars, %2 to %3\n"
               "  --speed N            speed, %4 to %5\n"
               "  --logo, --no-logo    show or hide the logo\n"
               "  --background C       background colour\n"
               "  --star-color C       star colour\n"
               "  --text-color C       colour of the date and time\n"
               "  --shadow-color C     colour at the far end of their shadow\n"
               "A colour C is %6.\n"
               "\n"
               "Exit status: 0 done; 1 no display, or no window to draw in; 2 a bad option or value.\n")
        .arg(program)
        .arg(kFewestStars)
        .arg(kMostStars)
        .arg(kSlowest)
        .arg(kFastest)
        .arg(QString::fromLatin1(kColorKinds));
}

}  // namespace Tallwick
