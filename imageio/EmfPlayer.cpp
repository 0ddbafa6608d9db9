// EMF records decoded and played onto the metafile canvas.
#include "EmfPlayer.h"

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
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::int64_t kHeaderMinimum = 88;
constexpr int kMaxHandles = 65535;

// The record types played here, by their names in the format's documentation.
enum RecordType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_LINETO = 54,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYPOLYGON16 = 91,
    EMR_EXTCREATEPEN = 95,
};

[[noreturn]] void Unrecognized() {
    throw EInvalidPicture(QCoreApplication::translate("Tallwick", "unrecognized WMF or EMF"));
}

struct Record {
    TByteReader& R;
    std::int64_t At, Size;
    bool Has(std::int64_t offset, std::int64_t count) const {
        return offset >= 0 && count >= 0 && offset + count <= Size;
    }
    std::uint32_t U(std::int64_t offset) const { return Has(offset, 4) ? R.U32(At + offset) : 0; }
    std::int32_t S(std::int64_t offset) const { return std::int32_t(U(offset)); }
    std::int16_t S16(std::int64_t offset) const { return Has(offset, 2) ? R.S16(At + offset) : 0; }
    QPointF Point(std::int64_t offset) const { return QPointF(S(offset), S(offset + 4)); }
    QRectF Rect(std::int64_t offset) const { return QRectF(Point(offset), Point(offset + 8)); }
    const std::uint8_t* Bytes(std::int64_t offset) const { return R.Data() + At + offset; }
};

// Points of a poly record: 32-bit pairs, or 16-bit pairs for the *16 records.
QPolygonF Points(const Record& r, std::int64_t at, std::uint32_t count, bool small) {
    QPolygonF p;
    const std::int64_t pair = small ? 4 : 8;
    if (!r.Has(at, std::int64_t(count) * pair))
        return p;
    p.reserve(int(count));
    for (std::uint32_t i = 0; i < count; ++i, at += pair)
        p << (small ? QPointF(r.S16(at), r.S16(at + 2)) : r.Point(at));
    return p;
}

void PolyPolygon(TMetafileCanvas& canvas, const Record& r, bool small) {
    const std::uint32_t polygons = r.U(24);
    std::int64_t at = 32 + 4LL * polygons;
    if (!r.Has(32, 4LL * polygons))
        return;
    std::vector<QPolygonF> list;
    for (std::uint32_t i = 0; i < polygons; ++i) {
        const std::uint32_t count = r.U(32 + 4LL * i);
        QPolygonF p = Points(r, at, count, small);
        if (p.isEmpty())
            return;
        list.push_back(p);
        at += std::int64_t(count) * (small ? 4 : 8);
    }
    canvas.PolyPolygon(list);
}

TMetafileCanvas::Object Font(const Record& r) {
    TMetafileCanvas::Object o;
    o.Type = TMetafileCanvas::Object::FontObject;
    o.F.Height = std::fabs(double(r.S(12)));
    if (o.F.Height == 0)
        o.F.Height = 12;
    o.F.Escapement = r.S(20);
    o.F.Weight = r.S(28);
    o.F.Italic = r.U(32) & 0xFF;
    o.F.Underline = (r.U(32) >> 8) & 0xFF;
    o.F.StrikeOut = (r.U(32) >> 16) & 0xFF;
    if (r.Has(40, 64)) {
        QString face = QString::fromUtf16(reinterpret_cast<const char16_t*>(r.Bytes(40)), 32);
        o.F.Face = face.left(face.indexOf(QChar(0)) < 0 ? 32 : face.indexOf(QChar(0)));
    }
    return o;
}

void Text(TMetafileCanvas& canvas, const Record& r) {
    const std::uint32_t chars = r.U(44), offset = r.U(48);
    if (chars == 0 || !r.Has(offset, 2LL * chars) || (offset & 1))
        return;
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(r.Bytes(offset)), qsizetype(chars));
    canvas.TextOut(r.Point(36), text);
}

// A bitmap given by offsets within the record, drawn into the target box. `dibSource`: the
// source box is in the bitmap's own rows, counted from the bottom for a bottom-up bitmap
// (StretchDIBits), rather than in those of a device holding it (BitBlt, StretchBlt).
void Blit(TMetafileCanvas& canvas, const Record& r, std::int64_t bmiAt, QRectF target, QRectF source, bool dibSource) {
    const std::uint32_t offBmi = r.U(bmiAt), cbBmi = r.U(bmiAt + 4), offBits = r.U(bmiAt + 8), cbBits = r.U(bmiAt + 12);
    if (!r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits) || cbBmi == 0)
        return;
    try {
        const QImage image = TBmpCodec::ReadDib(r.Bytes(offBmi), cbBmi, r.Bytes(offBits), cbBits);
        if (dibSource && TBmpCodec::DibBottomUp(r.Bytes(offBmi), cbBmi))
            source = TBmpCodec::FlipBox(source, image.height());
        canvas.DrawImage(target, image, source);
    } catch (const EInvalidPicture&) {  // a damaged bitmap inside the drawing is left out
    }
}

void BitBlt(TMetafileCanvas& canvas, const Record& r, bool stretch) {
    const QRectF target(r.S(24), r.S(28), r.S(32), r.S(36));
    if (r.U(88) == 0) {  // no source bitmap: a fill with the brush (PATCOPY) or nothing we draw
        if (r.U(40) == PATCOPY)
            canvas.FillRect(target);
        return;
    }
    const QRectF source(r.S(44), r.S(48), stretch ? r.S(100) : r.S(32), stretch ? r.S(104) : r.S(36));
    Blit(canvas, r, 84, target, source, false);
}

void CreatePen(TMetafileCanvas& canvas, const Record& r, bool extended) {
    TMetafileCanvas::Object o;
    o.Type = TMetafileCanvas::Object::PenObject;
    o.P.Style = int(r.U(extended ? 28 : 12) & 0xF);
    o.P.Width = extended ? r.S(32) : r.S(16);
    o.P.Color = ColorRef(r.U(extended ? 40 : 24));
    canvas.CreateObject(int(r.U(8)), o);
}

void CreateBrush(TMetafileCanvas& canvas, const Record& r) {
    TMetafileCanvas::Object o;
    o.Type = TMetafileCanvas::Object::BrushObject;
    o.B.Style = int(r.U(12));
    o.B.Color = ColorRef(r.U(16));
    o.B.Hatch = int(r.U(20));
    canvas.CreateObject(int(r.U(8)), o);
}

void Select(TMetafileCanvas& canvas, std::uint32_t handle) {
    if (handle & 0x80000000u)
        canvas.SelectStockObject(int(handle & 0x7FFFFFFF));
    else
        canvas.SelectObject(int(handle));
}

// Plays one record; false at the end-of-file record.
bool Play(TMetafileCanvas& canvas, const Record& r, std::uint32_t type) {
    switch (type) {
    case EMR_EOF: return false;
    case EMR_SETWINDOWEXTEX: canvas.SetWindowExt(r.S(8), r.S(12)); break;
    case EMR_SETWINDOWORGEX: canvas.SetWindowOrg(r.S(8), r.S(12)); break;
    case EMR_SETVIEWPORTEXTEX: canvas.SetViewportExt(r.S(8), r.S(12)); break;
    case EMR_SETVIEWPORTORGEX: canvas.SetViewportOrg(r.S(8), r.S(12)); break;
    case EMR_SETMAPMODE: canvas.SetMapMode(int(r.U(8))); break;
    case EMR_SETBKMODE: canvas.SetBkMode(int(r.U(8))); break;
    case EMR_SETPOLYFILLMODE: canvas.SetPolyFillMode(int(r.U(8))); break;
    case EMR_SETTEXTALIGN: canvas.SetTextAlign(r.U(8)); break;
    case EMR_SETTEXTCOLOR: canvas.SetTextColor(ColorRef(r.U(8))); break;
    case EMR_SETBKCOLOR: canvas.SetBkColor(ColorRef(r.U(8))); break;
    case EMR_MOVETOEX: canvas.MoveTo(r.Point(8)); break;
    case EMR_LINETO: canvas.LineTo(r.Point(8)); break;
    case EMR_SAVEDC: canvas.SaveDC(); break;
    case EMR_RESTOREDC: canvas.RestoreDC(r.S(8)); break;
    case EMR_SELECTOBJECT: Select(canvas, r.U(8)); break;
    case EMR_CREATEPEN: CreatePen(canvas, r, false); break;
    case EMR_EXTCREATEPEN: CreatePen(canvas, r, true); break;
    case EMR_CREATEBRUSHINDIRECT: CreateBrush(canvas, r); break;
    case EMR_EXTCREATEFONTINDIRECTW: canvas.CreateObject(int(r.U(8)), Font(r)); break;
    case EMR_DELETEOBJECT: canvas.DeleteObject(int(r.U(8))); break;
    case EMR_ELLIPSE: canvas.Ellipse(r.Rect(8)); break;
    case EMR_RECTANGLE: canvas.Rectangle(r.Rect(8)); break;
    case EMR_ROUNDRECT: canvas.RoundRect(r.Rect(8), r.S(24), r.S(28)); break;
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE: canvas.Arc(r.Rect(8), r.Point(24), r.Point(32), int(type - EMR_ARC)); break;
    case EMR_POLYGON: canvas.Polygon(Points(r, 28, r.U(24), false)); break;
    case EMR_POLYLINE: canvas.Polyline(Points(r, 28, r.U(24), false)); break;
    case EMR_POLYGON16: canvas.Polygon(Points(r, 28, r.U(24), true)); break;
    case EMR_POLYLINE16: canvas.Polyline(Points(r, 28, r.U(24), true)); break;
    case EMR_POLYPOLYGON: PolyPolygon(canvas, r, false); break;
    case EMR_POLYPOLYGON16: PolyPolygon(canvas, r, true); break;
    case EMR_EXTTEXTOUTW: Text(canvas, r); break;
    case EMR_BITBLT: BitBlt(canvas, r, false); break;
    case EMR_STRETCHBLT: BitBlt(canvas, r, true); break;
    case EMR_STRETCHDIBITS:
        Blit(canvas, r, 48, QRectF(r.S(24), r.S(28), r.S(72), r.S(76)), QRectF(r.S(32), r.S(36), r.S(40), r.S(44)),
             true);
        break;
    default: break;  // records not drawn here are skipped
    }
    return true;
}

struct Layout {
    QRectF Device;   // the part of the recording device's surface the picture shows
    QSizeF Natural;  // its size in picture pixels before any scaling down
    int Handles = 0;
};

Layout ReadLayout(TByteReader& r) {
    if (r.U32(0) != EMR_HEADER || r.U32(40) != kSignature || r.U32(4) < kHeaderMinimum || !r.Has(0, r.U32(4)) ||
        !r.Has(0, kHeaderMinimum) || r.Failed())
        Unrecognized();
    Layout l;
    l.Handles = std::min<int>(r.U16(56), kMaxHandles);
    const double bl = r.S32(8), bt = r.S32(12), br = r.S32(16), bb = r.S32(20);
    if (br >= bl && bb >= bt) {
        l.Device = QRectF(bl, bt, br - bl + 1, bb - bt + 1);
        l.Natural = l.Device.size();
        return l;
    }
    // Empty bounds: the frame, in hundredths of a millimetre, on the reference device.
    const double fl = r.S32(24), ft = r.S32(28), fr = r.S32(32), fb = r.S32(36);
    const double devW = r.S32(72), devH = r.S32(76), mmW = r.S32(80), mmH = r.S32(84);
    if (fr <= fl || fb <= ft)
        Unrecognized();
    const double kx = devW > 0 && mmW > 0 ? devW / (mmW * 100) : 96 / 2540.0;
    const double ky = devH > 0 && mmH > 0 ? devH / (mmH * 100) : 96 / 2540.0;
    l.Device = QRectF(QPointF(fl * kx, ft * ky), QPointF(fr * kx, fb * ky));
    l.Natural = QSizeF((fr - fl) * 96 / 2540.0, (fb - ft) * 96 / 2540.0);
    return l;
}
}  // namespace

bool TEmfPlayer::Recognize(const std::uint8_t* data, std::int64_t size) {
    TByteReader r(data, size);
    return r.U32(0) == EMR_HEADER && r.U32(40) == kSignature && !r.Failed();
}

QSize TEmfPlayer::Size(const std::uint8_t* data, std::int64_t size, int maxSide) {
    TByteReader r(data, size);
    const Layout l = ReadLayout(r);
    return TMetafilePlayer::PictureSize(l.Natural.width(), l.Natural.height(), maxSide);
}

QImage TEmfPlayer::Render(const std::uint8_t* data, std::int64_t size, QSize pictureSize) {
    TByteReader r(data, size);
    const Layout l = ReadLayout(r);
    QImage image = TPictureLimits::NewImage(pictureSize.width(), pictureSize.height());
    image.fill(Qt::white);
    {
        const QTransform deviceToImage =
            QTransform::fromTranslate(-l.Device.left(), -l.Device.top()) *
            QTransform::fromScale(pictureSize.width() / l.Device.width(), pictureSize.height() / l.Device.height());
        TMetafileCanvas canvas(&image, deviceToImage, l.Handles);
        // Every record up to the end-of-file record must be in the file: a file cut short is
        // refused rather than shown in part.
        for (std::int64_t at = 0;;) {
            const std::uint32_t type = r.Has(at, 8) ? r.U32(at) : 0, length = r.Has(at, 8) ? r.U32(at + 4) : 0;
            if (length < 8 || (length & 3) || !r.Has(at, length))
                Unrecognized();
            if (canvas.Exhausted() || !Play(canvas, Record{r, at, length}, type))
                break;
            at += length;
        }
    }
    return image;
}

}  // namespace Tallwick
