// WMF records decoded and played onto the metafile canvas.
#include "WmfPlayer.h"

#include "BmpCodec.h"
#include "ByteReader.h"
#include "Exception.h"
#include "ImageError.h"
#include "MetafileCanvas.h"
#include "MetafilePlayer.h"
#include "PictureLimits.h"

#include <QRectF>
#include <cmath>
#include <QCoreApplication>

namespace Tallwick {

namespace {
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderWords = 9;

// The record functions played here, by their names in the format's documentation.
enum RecordFunction : int {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETPOLYFILLMODE = 0x0106,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_ROUNDRECT = 0x061C,
    META_CREATEREGION = 0x06FF,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
};

[[noreturn]] void Unrecognized() {
    throw EInvalidPicture(QCoreApplication::translate("Tallwick", "unrecognized WMF or EMF"));
}

// One record: its parameters are 16-bit words after the size and function.
struct Record {
    TByteReader& R;
    std::int64_t At;     // offset of the record
    std::int64_t Words;  // its size in words
    std::int16_t S(int i) const { return i + 3 < Words ? R.S16(At + 6 + 2 * i) : 0; }
    std::uint16_t U(int i) const { return i + 3 < Words ? R.U16(At + 6 + 2 * i) : 0; }
    std::uint32_t U32(int i) const { return std::uint32_t(U(i)) | std::uint32_t(U(i + 1)) << 16; }
    std::int64_t ParamBytes() const { return (Words - 3) * 2; }
    const std::uint8_t* Param(int i) const { return R.Data() + At + 6 + 2 * i; }
    QPointF Point(int i) const { return QPointF(S(i + 1), S(i)); }  // y first, then x
    QRectF Rect(int i) const {                                      // bottom, right, top, left
        return QRectF(QPointF(S(i + 3), S(i + 2)), QPointF(S(i + 1), S(i)));
    }
};

struct Layout {
    std::int64_t First = 0;  // offset of the first record
    int Objects = 0;
    QRectF Window;  // logical area drawn onto the picture
    double PixelsPerUnit = 1;
};

QPolygonF Points(const Record& r, int countWord, int firstWord, int count) {
    QPolygonF p;
    if (count < 0 || firstWord + 2LL * count > r.Words - 3)
        return p;
    (void)countWord;
    p.reserve(count);
    for (int i = 0; i < count; ++i)
        p << QPointF(r.S(firstWord + 2 * i), r.S(firstWord + 2 * i + 1));
    return p;
}

QString Text(const Record& r, int firstWord, int length) {
    if (length <= 0 || firstWord * 2LL + length > r.ParamBytes())
        return QString();
    return QString::fromLatin1(reinterpret_cast<const char*>(r.Param(firstWord)), length);
}

TMetafileCanvas::Object Font(const Record& r) {
    TMetafileCanvas::Object o;
    o.Type = TMetafileCanvas::Object::FontObject;
    o.F.Height = std::abs(int(r.S(0)));
    if (o.F.Height == 0)
        o.F.Height = 12;
    o.F.Escapement = r.S(2);
    o.F.Weight = r.S(4);
    o.F.Italic = r.U(5) & 0xFF;
    o.F.Underline = r.U(5) >> 8;
    o.F.StrikeOut = r.U(6) & 0xFF;
    const std::int64_t faceBytes = std::min<std::int64_t>(32, r.ParamBytes() - 18);
    if (faceBytes > 0) {
        const char* face = reinterpret_cast<const char*>(r.Param(9));
        o.F.Face = QString::fromLatin1(face, qstrnlen(face, uint(faceBytes)));
    }
    return o;
}

// A bitmap carried in the record from parameter word `dibWord` on, drawn into the target box.
// `dibSource`: the source box is in the bitmap's own rows, counted from the bottom for a
// bottom-up bitmap (StretchDIBits), rather than in those of a device holding it (BitBlt).
void Blit(TMetafileCanvas& canvas, const Record& r, int dibWord, QRectF target, QRectF source, bool dibSource) {
    const std::int64_t bytes = r.ParamBytes() - 2LL * dibWord;
    if (bytes <= 0)
        return;
    try {
        const QImage image = TBmpCodec::ReadDib(r.Param(dibWord), bytes, nullptr, 0);
        if (dibSource && TBmpCodec::DibBottomUp(r.Param(dibWord), bytes))
            source = TBmpCodec::FlipBox(source, image.height());
        canvas.DrawImage(target, image, source);
    } catch (const EInvalidPicture&) {  // a damaged bitmap inside the drawing is left out
    }
}

void PatternBlit(TMetafileCanvas& canvas, std::uint32_t rop, QRectF target) {
    if (rop == PATCOPY)  // the brush
        canvas.FillRect(target);
}

void CreatePen(TMetafileCanvas& canvas, const Record& r) {
    TMetafileCanvas::Object o;
    o.Type = TMetafileCanvas::Object::PenObject;
    o.P.Style = r.U(0) & 0xF;
    o.P.Width = r.S(1);
    o.P.Color = ColorRef(r.U32(3));
    canvas.CreateObject(canvas.FirstFreeSlot(), o);
}

void CreateBrush(TMetafileCanvas& canvas, const Record& r) {
    TMetafileCanvas::Object o;
    o.Type = TMetafileCanvas::Object::BrushObject;
    o.B.Style = r.U(0);
    o.B.Color = ColorRef(r.U32(1));
    o.B.Hatch = r.U(3);
    canvas.CreateObject(canvas.FirstFreeSlot(), o);
}

void ExtTextOut(TMetafileCanvas& canvas, const Record& r) {
    const int length = r.S(2), options = r.U(3);
    const int textWord = 4 + ((options & 0x0006) ? 4 : 0);  // ETO_OPAQUE or ETO_CLIPPED add a rectangle
    canvas.TextOut(QPointF(r.S(1), r.S(0)), Text(r, textWord, length));
}

void PolyPolygon(TMetafileCanvas& canvas, const Record& r) {
    const int polygons = r.U(0);
    std::vector<QPolygonF> list;
    int word = 1 + polygons;
    for (int i = 0; i < polygons && word < r.Words; ++i) {
        const int count = r.U(1 + i);
        QPolygonF p = Points(r, 0, word, count);
        if (p.isEmpty())
            return;
        list.push_back(p);
        word += 2 * count;
    }
    canvas.PolyPolygon(list);
}

// Plays one record; false at the end-of-file record.
bool Play(TMetafileCanvas& canvas, const Record& r, int function) {
    switch (function) {
    case META_EOF: return false;
    case META_SETBKCOLOR: canvas.SetBkColor(ColorRef(r.U32(0))); break;
    case META_SETBKMODE: canvas.SetBkMode(r.U(0)); break;
    case META_SETMAPMODE: canvas.SetMapMode(r.U(0)); break;
    case META_SETPOLYFILLMODE: canvas.SetPolyFillMode(r.U(0)); break;
    case META_SETTEXTCOLOR: canvas.SetTextColor(ColorRef(r.U32(0))); break;
    case META_SETTEXTALIGN: canvas.SetTextAlign(r.U(0)); break;
    case META_SETWINDOWORG: canvas.SetWindowOrg(r.S(1), r.S(0)); break;
    case META_SETWINDOWEXT: canvas.SetWindowExt(r.S(1), r.S(0)); break;
    case META_SETVIEWPORTORG: canvas.SetViewportOrg(r.S(1), r.S(0)); break;
    case META_SETVIEWPORTEXT: canvas.SetViewportExt(r.S(1), r.S(0)); break;
    case META_SAVEDC: canvas.SaveDC(); break;
    case META_RESTOREDC: canvas.RestoreDC(r.S(0)); break;
    case META_SELECTOBJECT: canvas.SelectObject(r.U(0)); break;
    case META_DELETEOBJECT: canvas.DeleteObject(r.U(0)); break;
    case META_CREATEPENINDIRECT: CreatePen(canvas, r); break;
    case META_CREATEBRUSHINDIRECT: CreateBrush(canvas, r); break;
    case META_CREATEFONTINDIRECT: canvas.CreateObject(canvas.FirstFreeSlot(), Font(r)); break;
    case META_CREATEPALETTE:  // palette, pattern brushes and regions take a slot too
    case META_DIBCREATEPATTERNBRUSH:
    case META_CREATEPATTERNBRUSH:
    case META_CREATEREGION: {
        TMetafileCanvas::Object o;
        o.Type = TMetafileCanvas::Object::Other;
        canvas.CreateObject(canvas.FirstFreeSlot(), o);
        break;
    }
    case META_MOVETO: canvas.MoveTo(r.Point(0)); break;
    case META_LINETO: canvas.LineTo(r.Point(0)); break;
    case META_POLYLINE: canvas.Polyline(Points(r, 0, 1, r.S(0))); break;
    case META_POLYGON: canvas.Polygon(Points(r, 0, 1, r.S(0))); break;
    case META_POLYPOLYGON: PolyPolygon(canvas, r); break;
    case META_RECTANGLE: canvas.Rectangle(r.Rect(0)); break;
    case META_ROUNDRECT: canvas.RoundRect(r.Rect(2), r.S(1), r.S(0)); break;
    case META_ELLIPSE: canvas.Ellipse(r.Rect(0)); break;
    case META_ARC:  // arc, chord, pie: end y, end x, start y, start x, then the box
    case META_CHORD:
    case META_PIE:
        canvas.Arc(r.Rect(4), r.Point(2), r.Point(0), function == META_ARC ? 0 : function == META_CHORD ? 1 : 2);
        break;
    case META_TEXTOUT: {
        const int length = r.S(0), padded = (length + 1) / 2;
        canvas.TextOut(QPointF(r.S(2 + padded), r.S(1 + padded)), Text(r, 1, length));
        break;
    }
    case META_EXTTEXTOUT: ExtTextOut(canvas, r); break;
    case META_STRETCHDIB:  // StretchDIB: rop, usage, source h, w, y, x, destination h, w, y, x, bitmap
        Blit(canvas, r, 11, QRectF(r.S(10), r.S(9), r.S(8), r.S(7)), QRectF(r.S(6), r.S(5), r.S(4), r.S(3)), true);
        break;
    case META_DIBSTRETCHBLT:  // DIBStretchBlt: rop, source h, w, y, x, destination h, w, y, x, bitmap
        if (r.Words > 3 + 11)
            Blit(canvas, r, 10, QRectF(r.S(9), r.S(8), r.S(7), r.S(6)), QRectF(r.S(5), r.S(4), r.S(3), r.S(2)), false);
        else
            PatternBlit(canvas, r.U32(0), QRectF(r.S(9), r.S(8), r.S(7), r.S(6)));
        break;
    case META_DIBBITBLT:  // DIBBitBlt: rop, source y, x, height, width, destination y, x, bitmap
        if (r.Words > 3 + 9)
            Blit(canvas, r, 8, QRectF(r.S(7), r.S(6), r.S(5), r.S(4)), QRectF(r.S(3), r.S(2), r.S(5), r.S(4)), false);
        else
            PatternBlit(canvas, r.U32(0), QRectF(r.S(8), r.S(7), r.S(6), r.S(5)));
        break;
    default: break;  // records not drawn here are skipped
    }
    return true;
}

// The header (after the placeable one, if any) and where the drawing goes.
Layout ReadLayout(TByteReader& r) {
    Layout l;
    const bool placeable = r.U32(0) == kPlaceableKey;
    const std::int64_t h = placeable ? kPlaceableSize : 0;
    const int type = r.U16(h), headerWords = r.U16(h + 2);
    if ((type != 1 && type != 2) || headerWords != kHeaderWords || r.Failed())
        Unrecognized();
    l.First = h + 2 * kHeaderWords;
    l.Objects = r.U16(h + 10);
    if (placeable) {
        const double left = r.S16(6), top = r.S16(8), right = r.S16(10), bottom = r.S16(12);
        const int inch = r.U16(14);
        l.Window = QRectF(QPointF(left, top), QPointF(right, bottom));
        l.PixelsPerUnit = inch > 0 ? 96.0 / inch : 1;
        return l;
    }
    // Without the placeable header the size is that of the first window the file sets.
    std::int64_t at = l.First;
    QPointF origin;
    while (r.Has(at, 6)) {
        const std::int64_t words = r.U32(at);
        const int function = r.U16(at + 4);
        if (words < 3 || function == META_EOF)
            break;
        if (function == META_SETWINDOWORG && r.Has(at + 6, 4))
            origin = QPointF(r.S16(at + 8), r.S16(at + 6));
        if (function == META_SETWINDOWEXT && r.Has(at + 6, 4)) {
            l.Window = QRectF(origin, QSizeF(r.S16(at + 8), r.S16(at + 6)));
            return l;
        }
        at += 2 * words;
    }
    Unrecognized();
}
}  // namespace

bool TWmfPlayer::Recognize(const std::uint8_t* data, std::int64_t size) {
    TByteReader r(data, size);
    if (r.U32(0) == kPlaceableKey)
        return true;
    return (r.U16(0) == 1 || r.U16(0) == 2) && r.U16(2) == kHeaderWords && !r.Failed();
}

bool TWmfPlayer::RecognizeByContent(const std::uint8_t* data, std::int64_t size) {
    TByteReader r(data, size);
    if (r.U32(0) == kPlaceableKey)
        return true;
    const int version = r.U16(4);
    return Recognize(data, size) && (version == 0x0100 || version == 0x0300) && !r.Failed();
}

QSize TWmfPlayer::Size(const std::uint8_t* data, std::int64_t size, int maxSide) {
    TByteReader r(data, size);
    const Layout l = ReadLayout(r);
    return TMetafilePlayer::PictureSize(l.Window.width() * l.PixelsPerUnit, l.Window.height() * l.PixelsPerUnit,
                                        maxSide);
}

QImage TWmfPlayer::Render(const std::uint8_t* data, std::int64_t size, QSize pictureSize) {
    TByteReader r(data, size);
    const Layout l = ReadLayout(r);
    QImage image = TPictureLimits::NewImage(pictureSize.width(), pictureSize.height());
    image.fill(Qt::white);
    {
        // Device units are the picture's pixels; the window, until the file sets its own, is the
        // bounding box, and the viewport the whole picture.
        TMetafileCanvas canvas(&image, QTransform(), l.Objects);
        canvas.SetMapMode(MM_ANISOTROPIC);
        canvas.SetWindowOrg(l.Window.left(), l.Window.top());
        canvas.SetWindowExt(l.Window.width(), l.Window.height());
        canvas.SetViewportExt(pictureSize.width(), pictureSize.height());
        // Every record up to the end-of-file record must be in the file: a file cut short is
        // refused rather than shown in part.
        for (std::int64_t at = l.First;;) {
            const std::int64_t words = r.Has(at, 6) ? std::int64_t(r.U32(at)) : 0;
            if (words < 3 || !r.Has(at, 2 * words))
                Unrecognized();
            if (canvas.Exhausted() || !Play(canvas, Record{r, at, words}, r.U16(at + 4)))
                break;
            at += 2 * words;
        }
    }
    return image;
}

}  // namespace Tallwick
