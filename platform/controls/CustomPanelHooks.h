#pragma once
// Internal, never installed: lets the library's own panels do their resize work around the user's
// OnResize, which stays free for the user (TCanvas2D redraws before it, TColorButton lays out its
// face button after it).
#include "CustomPanel.h"

#include <functional>

namespace Tallwick {

class TCustomPanelHooks {
public:
    /// Runs on every resize of `panel` before its OnResize; an empty function removes it.
    static void SetBeforeResize(TCustomPanel& panel, std::function<void()> hook);
    /// Runs on every resize of `panel` after its OnResize and before the signal resized.
    static void SetAfterResize(TCustomPanel& panel, std::function<void()> hook);
};

}  // namespace Tallwick
