#pragma once
// Internal, never installed: the tests' way to answer a TColorButton's colour chooser without the
// modal colour dialog.
#include "Tcolorbutton.h"

#include <utility>

namespace Tallwick {

class TALLWICK_EXPORT TColorButtonTesting {
public:
    /// Replaces the colour dialog by `chooser`; an empty function restores the dialog.
    static void SetChooser(TColorButton& button, TColorButton::TColorChooser chooser);
};

}  // namespace Tallwick
