#pragma once
// The start mode, chosen from the first command-line argument alone:
//   "/s" (any letter case) saver, "/p" (any letter case) preview, any argument containing "/c"
//   exactly as typed settings; anything else, or no argument, none.
#include <QString>
#include <QStringList>

namespace Tallwick {

enum TMode { mdSaver = 0, mdPreview = 1, mdSettings = 2, mdNone = 3 };

// `arguments` are those after the program path.
TMode ParseMode(const QStringList& arguments);

}  // namespace Tallwick
