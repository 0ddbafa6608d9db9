// The screen saver's entry: the first argument chooses the mode ("/s" saver, "/p <id>" preview,
// an argument containing "/c" settings); anything else ends the program at once, before the
// application object (and with it any display) is needed.
#include <Tallwick/Application.h>
#include "DisplayCheck.h"
#include "ModeDispatch.h"
#include "Skyglowu1.h"
#include "Skyglowu2.h"
#include "Skyglowu3.h"

#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <vector>

using namespace Tallwick;

namespace {
const char* const kTitle = "Skyglow II";
constexpr int kNoDisplay = 1;

using Windows = std::vector<std::unique_ptr<QWidget>>;

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The saver covers every screen; its first window, on the pointer's screen, is the main window.
Windows CreateSaverWindows() {
    Windows windows;
    for (QScreen* screen : TForm1::ScreensPointerFirst())
        windows.push_back(std::make_unique<TForm1>(screen));
    if (windows.empty())  // no screen known: one window where Qt puts it
        windows.push_back(std::make_unique<TForm1>());
    return windows;
}

// The mode's windows, the main window first.
Windows CreateWindows(TMode mode, const QStringList& arguments) {
    Windows windows;
    switch (mode) {
    case mdSaver: return CreateSaverWindows();
    case mdPreview: windows.push_back(std::make_unique<TForm2>(arguments.value(1))); break;
    case mdSettings: windows.push_back(std::make_unique<TForm3>()); break;
    default: break;
    }
    return windows;
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
}  // namespace

int main(int argc, char** argv) {
    const QStringList arguments = Arguments(argc, argv);  // before Qt takes any of them
    const TMode mode = ParseMode(arguments);
    if (mode == mdNone)
        return 0;
    const QString displayProblem = DisplayProblem();
    if (!displayProblem.isEmpty()) {
        std::fprintf(stderr, "%s: no display could be opened (%s)\n",
                     qPrintable(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()), qPrintable(displayProblem));
        return kNoDisplay;
    }
    TApplication application(argc, argv);
    try {
        application.SetTitle(QString::fromLatin1(kTitle));
        const Windows windows = CreateWindows(mode, arguments);
        Run(application, windows);
    } catch (const Exception& error) {
        application.ShowException(error);
    } catch (const std::exception& error) {
        application.ShowException(error);
    }
    return 0;
}
