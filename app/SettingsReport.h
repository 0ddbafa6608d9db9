#pragma once
// What the user is told about a settings file the engine could not use. The saver and the preview
// stay quiet on screen (nobody is there to read a box, and a box would hide what it guards), so
// the reason and the file's path always go to stderr; the settings dialog's start, where the user
// is waiting for a window, also shows them in the standard error box with what to do about it.
#include <QString>

namespace Tallwick {

class TStars;

// The line for stderr, or an empty text when the settings loaded fine.
QString SettingsProblemLine(const TStars& stars);
// The text of the box for the settings dialog's start, or an empty text.
QString SettingsProblemBoxText(const TStars& stars);

// Writes the line to stderr and, when showBox is true, shows the box; does nothing when the
// settings loaded fine.
void ReportSettingsProblem(const TStars& stars, bool showBox);

// Writes why the settings could not be saved to stderr, where it stays when the box that also
// shows it is gone or was never seen.
void ReportSaveFailure(const QString& message);

}  // namespace Tallwick
