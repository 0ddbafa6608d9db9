// A GUI application on the offscreen platform for fuzzers that draw text (metafiles).
#include "FuzzPlatform.h"

#include <QGuiApplication>
#include <cstdlib>

int StartFuzzPlatform(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}
