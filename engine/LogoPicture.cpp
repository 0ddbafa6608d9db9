#include "LogoPicture.h"

#include "Bitmap.h"
#include "Exception.h"
#include "Pictures.h"
#include "Tveximage.h"

#include <QImage>

void LoadLogo(TVexImage* image) {
    InitPictures();
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
