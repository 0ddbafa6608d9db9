// The device-interface calls that drawing code makes on a canvas handle, as free functions taking
// the canvas, so that code reads as it was designed.
#include "GdiCalls.h"

#include <algorithm>

namespace Tallwick {

namespace {
constexpr int NULLREGION = 1, SIMPLEREGION = 2, ERROR_REGION = 0;
}

int SetBkMode(HDC dc, int mode) {
    if (!dc)
        return 0;
    const int previous = dc->BkMode();
    dc->SetBkMode(mode);
    return previous;
}

unsigned SetTextAlign(HDC dc, unsigned align) {
    if (!dc)
        return 0;
    const unsigned previous = dc->TextAlign();
    dc->SetTextAlign(align);
    return previous;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new TRegion{
        Rect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom))};
}

bool DeleteObject(HRGN region) {
    delete region;
    return region != nullptr;
}

int SelectClipRgn(HDC dc, HRGN region) {
    if (!dc)
        return ERROR_REGION;
    if (!region) {
        dc->ClearClipRect();
        return SIMPLEREGION;
    }
    dc->SetClipRect(region->Bounds);
    const TRect clip = dc->ClipRect();
    return clip.Width() > 0 && clip.Height() > 0 ? SIMPLEREGION : NULLREGION;
}

bool PtVisible(HDC dc, int x, int y) { return dc && dc->PtVisible(x, y); }

bool Polygon(HDC dc, const TPoint* points, int count) {
    if (!dc || count < 2)
        return false;
    dc->Polygon(points, count);
    return true;
}

bool GdiFlush() { return true; }

}  // namespace Tallwick
