// What the user is told about a settings file the engine could not use.
#include "SettingsReport.h"

#include <Tallwick/Application.h>
#include "Tstars.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace Tallwick {

namespace {
QString ProgramName() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

QString ShownPath(const TStars& stars) { return QDir::toNativeSeparators(stars.SettingsPath); }
}  // namespace

QString SettingsProblemLine(const TStars& stars) {
    if (stars.SettingsDamaged)
        return QCoreApplication::translate("Skyglow",
                                           "%1: settings file %2 is damaged (%3); using the default settings")
            .arg(ProgramName(), ShownPath(stars), stars.SettingsProblem);
    if (stars.ForeignTitle)
        return QCoreApplication::translate(
                   "Skyglow", "%1: settings file %2 belongs to another program (%3); ending without touching it")
            .arg(ProgramName(), ShownPath(stars), stars.SettingsProblem);
    return QString();
}

QString SettingsProblemBoxText(const TStars& stars) {
    if (stars.SettingsDamaged)
        return QCoreApplication::translate(
                   "Skyglow",
                   "The settings file\n%1\nis damaged: %2.\n\nThe settings shown are the defaults. "
                   "OK replaces the file with the settings you choose; Cancel leaves it as it is.")
            .arg(ShownPath(stars), stars.SettingsProblem);
    if (stars.ForeignTitle)
        return QCoreApplication::translate(
                   "Skyglow",
                   "The settings file\n%1\nbelongs to another program: %2.\n\n%3 leaves that file as it "
                   "is and ends. Move or rename it to keep the settings of %3 there.")
            .arg(ShownPath(stars), stars.SettingsProblem, TStars::ApplicationTitle());
    return QString();
}

void ReportSettingsProblem(const TStars& stars, bool showBox) {
    const QString line = SettingsProblemLine(stars);
    if (line.isEmpty())
        return;
    // Every screen's saver window loads the same file: one line says it.
    static QString lastLine;
    if (line != lastLine) {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::fflush(stderr);
        lastLine = line;
    }
    TApplication* app = Application();
    if (showBox && app)
        app->ShowException(Exception(SettingsProblemBoxText(stars)));
}

void ReportSaveFailure(const QString& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName().toLocal8Bit().constData(), message.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace Tallwick
