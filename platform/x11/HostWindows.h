#pragma once
// The window-manager calls the saver makes, for an X11 host (see X11Glue.h).
#include "X11Glue.h"
