// The screen saver's entry: the first argument chooses the mode (see CommandLine.h); anything
// unknown ends the program at once, before the application object (and with it any display) is
// needed. Drawing inside a host's window, every error goes to stderr: while a screen saver holds
// the screen nobody could close a box.
#include <Tallwick/Application.h>
#include "CommandLine.h"
#include "ConnectGuard.h"
#include <Tallwick/Exception.h>
#include "HostChoice.h"
#include "XScreenSaverList.h"
#include "SaverWindow.h"
#include "PreviewWindow.h"
#include "SaverTranslations.h"
#include "SettingsDialog.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

using namespace Tallwick;

namespace {
const char* const kTitle = "Skyglow II";
const char* const kApplicationId = "skyglow";
constexpr int kNoDisplay = 1;
constexpr int kFailedInHost = 1;
constexpr int kNoWindow = 1;  // the preview has no window to draw in
constexpr int kBadValue = 2;  // nor a window id

using Windows = std::vector<std::unique_ptr<QWidget>>;

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The saver covers every screen; its first window, on the pointer's screen, is the main window.
Windows CreateSaverWindows(const TSettingsOverrides& overrides) {
    Windows windows;
    for (QScreen* screen : TForm1::ScreensPointerFirst())
        windows.push_back(std::make_unique<TForm1>(screen, overrides));
    if (windows.empty())  // no screen known: one window where Qt puts it
        windows.push_back(std::make_unique<TForm1>(nullptr, overrides));
    return windows;
}

// The mode's windows, the main window first.
Windows CreateWindows(const TCommandLine& command, const QStringList& arguments) {
    Windows windows;
    const QString parent = command.InHostWindow ? QString::number(command.HostWindow) : arguments.value(1);
    switch (command.Mode) {
    case mdSaver: return CreateSaverWindows(command.Overrides);
    case mdPreview: windows.push_back(std::make_unique<TForm2>(parent, command.Overrides)); break;
    case mdSettings: windows.push_back(std::make_unique<TForm3>(nullptr, command.OwnerWindow)); break;
    default: break;
    }
    return windows;
}

void PrintLine(FILE* stream, const QString& program, const QString& text) {
    std::fprintf(stream, "%s: %s\n", qPrintable(program), text.simplified().toLocal8Bit().constData());
    std::fflush(stream);
}

// The main window is shown by Run, after the others, so it ends up in front with the keyboard.
void Run(TApplication& application, const Windows& windows) {
    if (windows.empty())
        return;
    if (!application.Terminated())
        for (std::size_t i = 1; i < windows.size(); ++i)
            windows[i]->show();
    application.Run(windows.front().get());
}

// Inside a host's window an error ends the program with one line on stderr and status 1.
int RunInHostWindow(TApplication& application, const TCommandLine& command, const QStringList& arguments,
                    const QString& program) {
    bool failed = false;
    application.SetErrorBox([&](const QString&, const QString& text) {
        PrintLine(stderr, program, text);
        failed = true;
        application.Terminate();
    });
    try {
        const Windows windows = CreateWindows(command, arguments);
        Run(application, windows);
    } catch (const std::exception& error) {
        PrintLine(stderr, program, QString::fromLocal8Bit(error.what()));
        return kFailedInHost;
    }
    return failed ? kFailedInHost : 0;
}

// The preview that cannot come into being has shown its box; the one line on stderr and the
// status say it to whoever started it.
int PreviewFailed(const TCommandLine& command, const QString& program, const QString& text, bool badValue) {
    if (command.Mode != mdPreview)
        return 0;
    PrintLine(stderr, program, text);
    return badValue ? kBadValue : kNoWindow;
}

int RunOnDesktop(TApplication& application, const TCommandLine& command, const QStringList& arguments,
                 const QString& program) {
    try {
        const Windows windows = CreateWindows(command, arguments);
        Run(application, windows);
    } catch (const Exception& error) {
        application.ShowException(error);
        return PreviewFailed(command, program, error.Message, dynamic_cast<const EConvertError*>(&error));
    } catch (const std::exception& error) {
        application.ShowException(error);
        return PreviewFailed(command, program, QString::fromLocal8Bit(error.what()), false);
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const QStringList arguments = Arguments(argc, argv);  // before Qt takes any of them
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    const TCommandLine command = ParseCommandLine(arguments, qgetenv("XSCREENSAVER_WINDOW"));
    switch (command.Action) {
    case caNone: return 0;
    case caError: PrintLine(stderr, program, command.Error); return command.Status;
    case caHelp: std::fputs(UsageText(program).toLocal8Bit().constData(), stdout); return 0;
    case caAddToXScreenSaver: return AddToXScreenSaver(program);
    case caRun: break;
    }
    // Drawing inside another program's window (the preview, a host's window) needs X11.
    THostChoice host = ChooseHost(command.Mode == mdPreview);
    if (!host.Host) {
        PrintLine(stderr, program, QStringLiteral("no display could be opened (%1)").arg(host.Problem));
        return kNoDisplay;
    }
    UseHost(std::move(host.Host));
    std::optional<TApplication> application;
    {
        TConnectGuard guard(program);
        application.emplace(argc, argv);
    }
    CurrentHost().Connected();
    InstallSaverTranslations();  // the windows' and boxes' texts in the user's language
    // Compositors and task lists know the program by this id (the Wayland app id, the name of
    // its desktop entry), not by the executable's name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    application->SetTitle(QString::fromLatin1(kTitle));
    if (command.InHostWindow)
        return CurrentHost().Finish(RunInHostWindow(*application, command, arguments, program));
    return CurrentHost().Finish(RunOnDesktop(*application, command, arguments, program));
}
