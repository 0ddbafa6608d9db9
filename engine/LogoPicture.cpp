#include "LogoPicture.h"

#include "Bitmap.h"
#include "Exception.h"
#include "Tveximage.h"

#include <QImage>

// The resource file lives in this static library; without a reference from code the linker would
// drop its registration.
static void InitResources() { Q_INIT_RESOURCE(resources); }

void LoadLogo(TVexImage* image) {
    InitResources();
    const QImage picture(QStringLiteral(":/logo.bmp"));
    if (picture.isNull())
        throw EFOpenError(QStringLiteral("Cannot open file %1").arg(QStringLiteral(":/logo.bmp")));
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Assign(picture);
    bitmap->SetPixelFormat(pf24bit);
    image->SetVisible(false);
    image->SetAutoSize(true);
    image->Picture()->SetGraphic(std::move(bitmap));
}
