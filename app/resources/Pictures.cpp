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
