#pragma once
// The command line of skyglow-render:
//   skyglow-render [--size WxH] [--frames N] [--settings FILE] [--clock "YYYY-MM-DD hh:mm:ss"]
//                  [--seed N] [--scale R] --out FILE.png
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct RenderOptions {
    int Width = 1024;
    int Height = 768;
    int Frames = 1;
    QString SettingsFile;            // empty: the one beside the executable
    std::optional<QDateTime> Clock;  // empty: the system clock
    std::optional<quint32> Seed;     // empty: the calendar time
    double Scale = 1;                // device pixels per surface pixel
    QString Out;
};

// Parses the arguments after the program name. On failure returns nothing and sets `error` to a
// short description of what is wrong.
std::optional<RenderOptions> ParseRenderOptions(const QStringList& arguments, QString& error);

// The one-line usage text.
QString RenderUsage();
// The usage with a line on each option, for --help.
QString RenderHelp();
// True when an argument after the program name is --help or -h.
bool WantsHelp(int argc, char** argv);
