// Rotated fonts: the device font of a canvas font turned about the text's reference point.
#include "RotatedFont.h"

namespace Tallwick {

namespace {
unsigned char PitchBits(TFontPitch pitch) {
    switch (pitch) {
    case fpVariable: return 2;
    case fpFixed: return 1;
    default: return 0;
    }
}
}  // namespace

HFONT CreateRotatedFont(const TFont& font, int escapement) {
    TLogFont lf;
    lf.lfHeight = font.Height();
    lf.lfWidth = 0;
    lf.lfEscapement = escapement;
    lf.lfOrientation = 0;
    lf.lfWeight = font.Style() & fsBold ? 700 : 400;
    lf.lfItalic = font.Style() & fsItalic;
    lf.lfUnderline = font.Style() & fsUnderline;
    lf.lfStrikeOut = font.Style() & fsStrikeOut;
    lf.lfCharSet = font.Charset();
    lf.lfOutPrecision = 0;
    lf.lfClipPrecision = 0;
    lf.lfQuality = 0;
    lf.lfPitchAndFamily = PitchBits(font.Pitch());
    if (font.Name().compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
        lf.lfFaceName = TFont().Name();  // a new font carries the framework's default face
    else
        lf.lfFaceName = font.Name().left(31);
    return CreateFontIndirect(lf);
}

}  // namespace Tallwick
