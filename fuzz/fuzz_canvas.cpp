// Canvas calls with arbitrary coordinates, pen widths, clip rectangles and scales on a small bitmap:
// nothing may crash, write outside the bitmap, or take time in proportion to the coordinates.
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>

#include <cstdint>
#include <cstring>

using namespace Tallwick;

namespace {
struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    int Int() {
        std::int32_t v = 0;
        const std::size_t n = size < 4 ? size : 4;
        std::memcpy(&v, data, n);
        data += n;
        size -= n;
        return v;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    bitmap.SetSize(64, 48);
    TCanvas* canvas = bitmap.Canvas();
    Reader in{data, size};
    while (in.size >= 4) {
        const int op = in.Int() & 15;
        const int a = in.Int(), b = in.Int(), c = in.Int(), d = in.Int();
        switch (op) {
        case 0: canvas->Rectangle(a, b, c, d); break;
        case 1: canvas->Ellipse(a, b, c, d); break;
        case 2:
            canvas->MoveTo(a, b);
            canvas->LineTo(c, d);
            break;
        case 3: canvas->FillRect(Rect(a, b, c, d)); break;
        case 4: {
            const TPoint points[3] = {{a, b}, {c, d}, {b, c}};
            canvas->Polygon(points, 3);
            break;
        }
        case 5: canvas->Pen.Width = a & 7; break;
        case 6: canvas->Pen.Mode = (a & 1) ? pmNot : pmCopy; break;
        case 7: canvas->SetClipRect(Rect(a, b, c, d)); break;
        case 8: canvas->ClearClipRect(); break;
        case 9: canvas->SetPixel(a, b, c); break;
        case 11: {
            const TPoint points[3] = {{a, b}, {c, d}, {d, a}};
            canvas->Polyline(points, 3);
            break;
        }
        case 10: canvas->StretchDrawBitmap(Rect(a & 255, b & 255, c & 255, d & 255), bitmap); break;
        case 12: canvas->SetScale(1 + (a & 15)); break;
        case 13: {
            const TPoint corners[4] = {{a, b}, {c, d}, {b, c}, {d, a}};
            canvas->PolygonAtDevicePixels(corners, 3 + (a & 1));
            break;
        }
        case 14:
            canvas->Brush.Style = (a & 1) ? bsClear : bsSolid;
            canvas->Pen.Style = (a & 2) ? psClear : psSolid;
            break;
        default: break;
        }
    }
    return 0;
}
