// The 600 x 450 logo bitmap stored as a resource of the program, put into a window's hidden image
// the way a form resource would.
#include "LogoPicture.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/Exception.h>
#include <Tallwick/Tveximage.h>

#include <QImage>
#include <QCoreApplication>

// Q_INIT_RESOURCE must stand outside any namespace. The resource lives in a static library, whose
// registration the linker would drop without a call from code.
static void RegisterLogoResource() { Q_INIT_RESOURCE(logo); }

namespace Tallwick {

void LoadLogo(TVexImage* image) {
    static const bool registered = (RegisterLogoResource(), true);
    (void)registered;
    const QImage picture(QStringLiteral(":/logo.bmp"));
    if (picture.isNull())
        throw EFOpenError(
            QCoreApplication::translate("Skyglow", "Cannot open file %1").arg(QStringLiteral(":/logo.bmp")));
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(picture);
    bitmap->SetPixelFormat(pf24bit);
    image->SetVisible(false);
    image->SetAutoSize(true);
    image->SetFollowDeviceRatio(false);
    image->TImage::SetPixelRatio(1);  // the logo's pixels are control pixels at any screen ratio
    image->Picture()->SetGraphic(std::move(bitmap));
}

}  // namespace Tallwick
