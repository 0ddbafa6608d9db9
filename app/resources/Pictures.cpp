// Registers the program's pictures (":/flag-uk.bmp", ":/flag-galicia.bmp", ":/flag-spain.bmp",
// ":/bulb.bmp").
#include "Pictures.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterPictures() { Q_INIT_RESOURCE(resources); }

void InitPictures() {
    static const bool registered = [] {
        RegisterPictures();
        return true;
    }();
    (void)registered;
}
