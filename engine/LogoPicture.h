#pragma once
// The logo bitmap the saver windows show, from the program's resources.

namespace Tallwick {
// The 600 x 450 logo bitmap stored as a resource of the program, put into a window's hidden image
// the way a form resource would: picture assigned, auto-sized, not visible.
class TVexImage;

void LoadLogo(TVexImage* image);

}  // namespace Tallwick
