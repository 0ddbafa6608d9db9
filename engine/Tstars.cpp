// TStars: the star field engine; settings, first-frame set-up, and the drawing of each frame.
#include "Tstars.h"

#include <Tallwick/Application.h>
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Exception.h>
#include <Tallwick/Frame3D.h>
#include <Tallwick/GdiCalls.h>
#include <Tallwick/IntConversion.h>
#include <Tallwick/Random.h>
#include "SettingsLocation.h"
#include <Tallwick/Tveximage.h>
#include <Tallwick/Vexutils.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <ctime>

namespace Tallwick {

namespace {
constexpr double kPi = 3.141592653589793;
const QString kFontName = QStringLiteral("Times new roman");
const QString kDefaultTitle = QStringLiteral("Skyglow II");
constexpr TColor kHighlight = static_cast<TColor>(0x80000014u);
constexpr TColor kShadow = static_cast<TColor>(0x80000010u);

// A length of the picture at pixel ratio 1 in surface pixels: the rings of the logo's frames, the
// least star dot.
int Pixels(int length, double ratio) { return std::max(1, RoundToInt(length * ratio)); }

}  // namespace

TStars::TStars()
    : Logo(std::make_unique<TVexImage>(nullptr)),
      StarX(std::make_unique<TVectorD>()),
      StarY(std::make_unique<TVectorD>()) {
    const TSettingsLocation location = TSettingsLocation::ForProgram();
    SettingsPath = location.ReadPath;
    SettingsSavePath = location.WritePath;
    SettingsSaveMakesFolder = location.UserOwn;
    Randomize(static_cast<std::uint32_t>(std::time(nullptr)));
    FrameCount = 0;
}

TStars::~TStars() = default;

QString TStars::ApplicationTitle() {
    const TApplication* app = Application();
    return app && !app->Title().isEmpty() ? app->Title() : kDefaultTitle;
}

void TStars::ResizeSurface() { Surface->Resize(); }

// ---------------------------------------------------------------------------------------------
// Frames

// The frame is laid out in the surface's control pixels, as on a screen of pixel ratio 1, and drawn
// on its bitmap's own pixels: at ratio r a length of n control pixels is n x r bitmap pixels, so a
// high-density screen shows the same picture at the same size, only sharp.
void TStars::DrawFrame() {
    FRatio = Surface->PixelRatio();
    const int depth = TruncToInt((Surface->Width() / 150 + 1) * FRatio);
    UpdateTexts();
    MoveCenter();
    if (FrameCount == 0 && !InitStars())
        return;
    if (FrameCount > 0 && FLogoRatio != FRatio)
        ScaleLogo();  // the window went to a screen of another density
    Surface->Fill(BackColor);
    if (!DrawStars())
        return;
    TCanvas* canvas = Surface->Canvas();
    SetBkMode(canvas->Handle(), TRANSPARENT);
    SetTextAlign(canvas->Handle(), TA_CENTER | TA_TOP);
    PrepareFont(canvas);
    DrawLogo(TruncToInt(CenterX * FRatio), TruncToInt(CenterY * FRatio) - Scaled(FTextHeight + FLogoHeight / 2));
    DrawShadowedText(canvas, depth);
    if (!MoveStars())
        return;
    ++FrameCount;
}

// Stars that have storage: StarCount once the first frame sized the arrays. A count changed
// afterwards, or arrays that could not be had, never lead outside the storage.
int TStars::PlacedStars() const {
    const int x = StarX->Allocated ? StarX->Count : 0;
    const int y = StarY->Allocated ? StarY->Count : 0;
    return std::max(0, std::min({StarCount, x, y}));
}

// The clock is read once per frame; the strings are formatted only when the second changes, so a
// steady frame allocates nothing.
void TStars::UpdateTexts() {
    if (Clock) {
        // Compared as shown (date and whole seconds of the time): no time-zone look-up per frame.
        const QDateTime now = Clock();
        const QDate date = now.date();
        const int second = now.time().msecsSinceStartOfDay() / 1000;
        if (FDateText.isEmpty() || date != FShownDate || second != FShownSecondOfDay) {
            FShownDate = date;
            FShownSecondOfDay = second;
            FormatTexts(now);
        }
        return;
    }
    const qint64 second = static_cast<qint64>(std::time(nullptr));
    if (second != FShownSecond) {
        FShownSecond = second;
        FormatTexts(QDateTime::fromSecsSinceEpoch(second));
    }
}

void TStars::FormatTexts(const QDateTime& now) {
    const QLocale locale = QLocale::system();
    FDateText = locale.toString(now.date(), QStringLiteral("dddd, dd MMMM yyyy"));
    FTimeText = locale.toString(now.time(), QStringLiteral("HH:mm:ss"));
}

// Font size follows the surface height; the text height and the masks are measured again only
// when the size, the style (left on the canvas by whoever else draws there) or a string changed.
// The text height places the lines as at ratio 1 (measured in the font of that size); the glyphs
// are drawn in the font of the bitmap's pixels.
void TStars::PrepareFont(TCanvas* canvas) {
    const int size = Surface->Height() / 20;
    canvas->Font.SetSize(size);
    canvas->Font.SetName(kFontName);
    const TFontStyles style = canvas->Font.Style();
    const bool measured = size == FFontSize && style == FFontStyle && FTextHeight != 0 && FRatio == FTextRatio;
    if (!measured)
        FTextHeight = canvas->TextHeight(QStringLiteral("0"));
    if (FRatio != 1)
        canvas->Font.SetHeight(-RoundToInt(-canvas->Font.Height() * FRatio));
    if (!measured) {
        FFontSize = size;
        FFontStyle = style;
        FTextRatio = FRatio;
        FDeviceTextHeight = Scaled(FTextHeight);
        FShadow.Invalidate();  // the date's offset above the time
    }
    if (!ComposedText(canvas))
        return;
    const int height = canvas->Font.Height();
    const bool masksStale = height != FMaskFontHeight || style != FMaskFontStyle;
    FMaskFontHeight = height;
    FMaskFontStyle = style;
    if (masksStale || FDateMask.Text() != FDateText) {
        FDateMask.Update(canvas->Font, FDateText);
        FShadow.Invalidate();
    }
    if (masksStale || FTimeMask.Text() != FTimeText) {
        FTimeMask.Update(canvas->Font, FTimeText);
        FShadow.Invalidate();
    }
}

// Masks hold upright text only: a turned font is drawn copy by copy.
bool TStars::ComposedText(const TCanvas* canvas) const { return !NaiveText && canvas->Font.Orientation() == 0; }

// depth + 1 copies, each one pixel further left and down and painted over the earlier ones: the
// front copy, lowest-left, is in TextColor1; the trail toward the upper right fades to TextColor2.
// Copy i of the date comes before copy i of the time, so a deep trail of the date may reach over
// the time's earlier copies.
// At a pixel ratio above 1 the trail is as long as at ratio 1 but has a copy at every bitmap
// pixel, so it keeps its smooth grading.
void TStars::DrawShadowedText(TCanvas* canvas, int depth) {
    const int x = TruncToInt(CenterX * FRatio), y = TruncToInt(CenterY * FRatio);
    if (!ComposedText(canvas)) {
        for (int i = 0; i <= depth; ++i) {
            canvas->Font.SetColor(BlendColor(TextColor2, TextColor1, i, depth));
            canvas->TextOut(x - i, y - FDeviceTextHeight + i, FDateText);
            canvas->TextOut(x - i, y + i, FTimeText);
        }
        return;
    }
    if (!FShadow.BuiltFor(depth, TextColor2, TextColor1))
        FShadow.Build({{&FDateMask, 0, -FDeviceTextHeight}, {&FTimeMask, 0, 0}}, depth, TextColor2, TextColor1);
    TSpanPainter painter(canvas);
    FShadow.Draw(painter, x, y);
    painter.End();
    canvas->Font.SetColor(BlendColor(TextColor2, TextColor1, depth, depth));
}

// Offsets of the layout are worked out at ratio 1 and then scaled, so that every part stands where
// the ratio-1 picture puts it, scaled, to the bitmap pixel.
int TStars::Scaled(int length) const { return FRatio == 1 ? length : RoundToInt(length * FRatio); }

// A Lissajous figure, x twice as fast as y, between 15 % and 85 % of each side.
void TStars::MoveCenter() {
    // The sum wraps as a 32-bit int: a speed read from a file is not limited.
    const double k = static_cast<std::int32_t>(static_cast<std::uint32_t>(Speed) + 1u) * 0.00005;
    const double ax = FrameCount * kPi * 2 * k;
    const double ay = FrameCount * kPi * 1 * k;
    CenterX = (std::sin(ax) * 0.7 + 1) * (Surface->Width() * 0.5);
    CenterY = (std::sin(ay) * 0.7 + 1) * (Surface->Height() * 0.5);
}

// True when star i ends a slice, more stars follow and Interrupted asks to give up.
bool TStars::SliceEnds(int i, int count) const {
    return (i + 1) % StarsPerSlice == 0 && i + 1 < count && Interrupted && Interrupted();
}

bool TStars::InitStars() {
    if (StarCount > MaxStarCount)
        throw EOutOfMemory(
            QCoreApplication::translate("Skyglow", "Not enough memory for %1 stars; a star field holds at most %2")
                .arg(StarCount)
                .arg(MaxStarCount));
    try {
        StarX->SetLength(StarCount);
        StarY->SetLength(StarCount);
    } catch (const EOutOfMemory&) {
        throw EOutOfMemory(QCoreApplication::translate("Skyglow", "Not enough memory for %1 stars").arg(StarCount));
    }
    const int stars = PlacedStars();
    for (int i = 0; i < stars; ++i) {
        RespawnStar(i);
        if (SliceEnds(i, stars))
            return false;
    }

    ScaleLogo();
    return true;
}

// The logo keeps the source's aspect ratio at a fifth of the surface height. A source of no
// height, or a surface too small for a pixel of logo, leaves no logo to draw. It is scaled to
// the surface's pixels: at ratio r its sides are r times those at ratio 1.
void TStars::ScaleLogo() {
    FLogoRatio = FRatio;
    const int height = Surface->Height() / 5;
    const int sourceHeight = LogoSource ? LogoSource->Height() : 0;
    const int width = sourceHeight > 0 ? height * LogoSource->Width() / sourceHeight : 0;
    FLogoWidth = width;
    FLogoHeight = height;
    const TGraphic* source = LogoSource ? LogoSource->Picture()->Graphic() : nullptr;
    FLogoEmpty = height < 1 || width < 1 || !source;
    if (FLogoEmpty)
        return;
    Logo->SetHeightWidth(RoundToInt(height * FRatio), RoundToInt(width * FRatio));
    Logo->Canvas()->StretchDraw(Logo->GetClientRect(), *source);
    FFramedLogoReady = false;
}

void TStars::RespawnStar(int i) {
    const int width = Surface->Width(), height = Surface->Height();
    (*StarX)[i] = width != 0 ? Random() % width : 0;
    (*StarY)[i] = height != 0 ? Random() % height : 0;
}

// The painter stays on the bitmap while Interrupted runs: whoever interrupts must not resize the
// surface's bitmap meanwhile (the saver windows hold resizes back until the frame is done).
bool TStars::DrawStars() {
    PrepareStars();
    TSpanPainter painter(Surface->Canvas());
    const int stars = PlacedStars();
    for (int i = 0; i < stars; ++i) {
        PaintStar(painter, i);
        if (SliceEnds(i, stars)) {
            painter.End();
            return false;
        }
    }
    painter.End();
    return true;
}

void TStars::DrawStar(int i) {
    PrepareStars();
    TSpanPainter painter(Surface->Canvas());
    PaintStar(painter, i);
    painter.End();
}

// Stars are stamped from dots DrawDot drew once per size with a plain one-pixel pen and a solid
// brush; a canvas whose pen or brush draws otherwise gets every star through DrawDot itself.
void TStars::PrepareStars() {
    const TCanvas* canvas = Surface->Canvas();
    FStampable = canvas->Pen.Width <= 1 && canvas->Pen.Mode == pmCopy && canvas->Pen.Style == psSolid &&
                 canvas->Brush.Style == bsSolid;
    FStarPixel = ColorToQRgb(StarColor) | 0xFF000000u;
    FDiagonal = PointDistance(0, 0, Surface->Width(), Surface->Height());
    // No star inside the surface is farther from the centre than the diagonal.
    FLeastDot = FRatio >= 1.5 ? Pixels(1, FRatio) : 0;
    FStamps.Prepare(std::max(TruncToInt(Surface->Height() * 0.025 * FRatio) + 1, FLeastDot));
}

// A star one full diagonal from the centre would be 2.5 % of the surface height across. Stars
// fly in control pixels; a dot of one pixel at ratio 1 is a dot of the ratio's pixels across.
void TStars::PaintStar(TSpanPainter& painter, int i) {
    const double x = (*StarX)[i], y = (*StarY)[i];
    const double r = PointDistance(CenterX, CenterY, x, y);
    // A surface without area has no diagonal to measure by: every star is a single pixel.
    int size = FDiagonal > 0 ? TruncToInt(r * (Surface->Height() * 0.025) * FRatio / FDiagonal) : 0;
    size = std::max(size, FLeastDot);
    const int px = TruncToInt(x * FRatio), py = TruncToInt(y * FRatio);
    if (FStampable && size <= FStamps.MaxSize())
        FStamps.Draw(painter, px, py, size, FStarPixel);
    else
        DrawDot(Surface->Canvas(), px, py, size, StarColor);
}

// The logo centred on (x, y) (bitmap pixels) in a raised outer and a sunken inner frame, each one
// pixel of ratio 1 wide. The frames lie on the logo's own outer pixel rings, so the framed logo is
// composed once and then copied whole.
void TStars::DrawLogo(int x, int y) {
    if (ShowLogo == 0 || FLogoEmpty)
        return;
    const int w = Logo->Width(), h = Logo->Height();
    const int left = x - Scaled(FLogoWidth / 2), top = y - Scaled(FLogoHeight / 2);
    TCanvas* canvas = Surface->Canvas();
    if (!CanCopyFramedLogo(canvas, w, h)) {
        canvas->Draw(left, top, *Logo->Picture()->Bitmap());
        DrawLogoFrames(canvas, left, top, w, h);
        return;
    }
    const std::uint32_t light = ColorToQRgb(kHighlight), dark = ColorToQRgb(kShadow);
    if (!FFramedLogoReady || light != FFramedLight || dark != FFramedDark) {
        FFramedLogo.Assign(*Logo->Picture()->Bitmap());
        DrawLogoFrames(FFramedLogo.Canvas(), 0, 0, w, h);
        FFramedLogoReady = true;
        FFramedLight = light;
        FFramedDark = dark;
    }
    canvas->Draw(left, top, FFramedLogo);
    // The pen as the frames leave it.
    canvas->Pen.Width = 1;
    canvas->Pen.Color = kHighlight;
}

// The framed copy stands for the copy and the frames only when the copy replaces what is below,
// the pen draws plainly (Frame3D sets its width and colour, not its mode or style) and the
// frames stay on the logo: an inner frame of a logo less than 2 pixels across reaches outside it.
bool TStars::CanCopyFramedLogo(const TCanvas* canvas, int w, int h) const {
    const int ring = Pixels(1, FRatio);
    return canvas->CopyMode == cmSrcCopy && canvas->Pen.Mode == pmCopy && canvas->Pen.Style == psSolid &&
           w >= 2 * ring && h >= 2 * ring;
}

void TStars::DrawLogoFrames(TCanvas* canvas, int left, int top, int w, int h) {
    const int ring = Pixels(1, FRatio);
    TRect outer = Rect(left, top, left + w, top + h);
    Frame3D(canvas, outer, kHighlight, kShadow, ring);
    TRect inner = Rect(left + ring, top + ring, left + w - ring, top + h - ring);
    Frame3D(canvas, inner, kShadow, kHighlight, ring);
}

// Every star moves away from the centre by the factor 1 + f; one that leaves the surface (a
// coordinate equal to the width or height is still inside) starts again somewhere at random.
bool TStars::MoveStars() {
    const double f = Speed * 0.002 + 0.0025;
    const double width = Surface->Width(), height = Surface->Height();
    const int stars = PlacedStars();
    for (int i = 0; i < stars; ++i) {
        double& x = (*StarX)[i];
        double& y = (*StarY)[i];
        x = x + (x - CenterX) * f;
        y = y + (y - CenterY) * f;
        if (x < 0 || x > width || y < 0 || y > height)
            RespawnStar(i);
        if (SliceEnds(i, stars))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Settings

void TStars::UseSettingsFile(const QString& path) {
    SettingsPath = path;
    SettingsSavePath = path;
    SettingsSaveMakesFolder = false;
}

void TStars::LoadSettings() {
    ForeignTitle = false;
    SettingsDamaged = false;
    SettingsProblem.clear();
    const TSettingsRead read = TSettingsFile::Read(SettingsPath, ApplicationTitle().toLatin1());
    static_cast<TSkySettings&>(*this) = read.Values;
    SettingsDamaged = read.Damaged;
    SettingsProblem = read.Problem;
    if (read.ForeignTitle)
        RefuseForeignTitle();
}

// The file belongs to another program: its values stay in the fields, and the application is
// asked to end rather than ever replace that program's file.
void TStars::RefuseForeignTitle() {
    ForeignTitle = true;
    if (TApplication* app = Application())
        app->Terminate();
    else
        QCoreApplication::exit(0);
}

void TStars::SaveSettings() {
    TSettingsFile::Write(SettingsSavePath, *this, ApplicationTitle().toLatin1(), SettingsSaveMakesFolder);
}

}  // namespace Tallwick
