// The default system beep, which tests may replace (BeepTesting.h).
#include "Beep.h"
#include "BeepTesting.h"

#include <QApplication>
#include <utility>

namespace Tallwick {

namespace {
TBeeper& Beeper() {
    static TBeeper beeper;
    return beeper;
}
}  // namespace

void MessageBeep() {
    if (Beeper())
        Beeper()();
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

TBeeper SetBeeper(TBeeper beeper) { return std::exchange(Beeper(), std::move(beeper)); }

}  // namespace Tallwick
