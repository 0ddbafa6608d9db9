// TVexImage text operations: inverted text, rotated text and text around a centre.
#include "Tveximage.h"
#include "TveximagePrivate.h"

#include "Canvas.h"
#include "GdiCalls.h"
#include "RotatedFont.h"
#include "Vexutils.h"
#include "VisiblePart.h"

#include <algorithm>
#include <cmath>

namespace Tallwick {

namespace {

// The pixels a text cell of width x height may cover when drawn with its top-left at the reference
// point and turned by `escapement` tenths of a degree counter-clockwise about it, relative to that
// point. Upright text covers its cell exactly; turned text covers the bounding box of the turned
// cell, widened by a pixel on each side for glyph edges that aliasing rounds outward.
struct TextCell {
    long long x0, y0, x1, y1;  // x1, y1 exclusive
};

TextCell TurnedCell(int width, int height, int escapement) {
    if (escapement % 3600 == 0)
        return {0, 0, width, height};
    const double turn = escapement / 10.0 * 3.141592653589793 / 180.0;
    const double c = std::cos(turn), s = std::sin(turn);
    // A point (u, v) of the upright cell lands at (u cos + v sin, -u sin + v cos).
    const double us[4] = {0, double(width), 0, double(width)};
    const double vs[4] = {0, 0, double(height), double(height)};
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (int i = 0; i < 4; ++i) {
        const double x = us[i] * c + vs[i] * s, y = -us[i] * s + vs[i] * c;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    return {static_cast<long long>(std::floor(x0)) - 1, static_cast<long long>(std::floor(y0)) - 1,
            static_cast<long long>(std::ceil(x1)) + 1, static_cast<long long>(std::ceil(y1)) + 1};
}

}  // namespace

// White glyphs on black in the scratch bitmap, XORed onto the picture. The scratch covers only the
// part of the text's (possibly turned) cell that the canvas can change; the text is drawn into it
// shifted, so each glyph pixel lands where drawing the whole cell would have put it.
void TVexImage::TextOutInv(int x, int y, const QString& text) {
    TCanvas* canvas = Canvas();
    TCanvas* work = d->FWorkBitmap->Canvas();
    work->Font.Assign(canvas->Font);
    SetBkMode(work->Handle(), TRANSPARENT);
    SetTextAlign(work->Handle(), TA_LEFT | TA_TOP);
    const TextCell cell = TurnedCell(work->TextWidth(text), work->TextHeight(text), work->Font.Orientation());
    const TRect part = VisiblePart(canvas, x + cell.x0, y + cell.y0, x + cell.x1, y + cell.y1);
    SizeWorkBitmap(part);
    if (part.Width() > 0 && part.Height() > 0) {
        work->Pen.Color = clBlack;
        work->Brush.Color = work->Pen.Color;
        work->Rectangle(0, 0, part.Width(), part.Height());
        work->Font.SetColor(clWhite);
        work->TextOut(x - part.Left, y - part.Top, text);
        canvas->CopyMode = cmSrcInvert;
        canvas->DrawScaled(part.Left, part.Top, *d->FWorkBitmap);
    }
    canvas->CopyMode = cmSrcCopy;
}

namespace {
// An angle in degrees brought to [0, 360), negative ones to (0, 360]: -30 and -390 give 330, -360
// gives 360. An angle that is not a number, or infinite, has no direction and counts as 0.
double NormalisedAngle(double angle) {
    if (!std::isfinite(angle))
        return 0;
    if (angle >= 0)
        return std::fmod(angle, 360.0);
    const double turned = angle + (1 - std::ceil(angle / 360.0)) * 360.0;
    // Far from zero the sum above loses all precision; the exact remainder then serves.
    if (turned > 0 && turned <= 360)
        return turned;
    return std::fmod(angle, 360.0) + 360.0;
}
}  // namespace

void TVexImage::TextOutRot(int x, int y, double angle, const QString& text) {
    TCanvas* canvas = Canvas();
    const int escapement = RoundToInt(NormalisedAngle(angle) * 10);
    canvas->Font.SetHandle(CreateRotatedFont(canvas->Font, escapement));
    if (PixelIn(x, y))
        canvas->TextOut(x, y, text);
}

void TVexImage::TextOutAxial(int x, int y, int r, double angle, const QString& text) {
    TextOutAxial(x, y, r, r, angle, text);
}

// The anchor is rounded to the nearest pixel; anchors beyond the int range saturate there, far
// outside any picture, so nothing is drawn for them.
void TVexImage::TextOutAxial(int x, int y, int rx, int ry, double angle, const QString& text) {
    const double t = angle * 3.141592653589793 / 180;
    const int ax = RoundToInt(x + rx * std::cos(t));
    const int ay = RoundToInt(y - ry * std::sin(t));
    TextOutRot(ax, ay, RoundToInt(angle + 270), text);
}

}  // namespace Tallwick
