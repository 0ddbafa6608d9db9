#pragma once
// TStars: the star field. A window hands it its visible surface and its hidden full-size logo,
// loads the settings, then calls DrawFrame on every timer tick. One frame repaints everything
// (background, stars, framed logo, date and time with a graded shadow) and moves every star one
// step outward from a centre that wanders along a figure of eight. The frame counter is the only
// time base: the animation advances one step per call, however often the calls come.
#include "SettingsFile.h"
#include <Tallwick/Bitmap.h>
#include <Tallwick/Color.h>
#include "ShadowText.h"
#include "SpanPainter.h"
#include "StarStamps.h"
#include <Tallwick/TextMask.h>
#include "Tvectord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace Tallwick {

class TVexImage;
class TCanvas;

// The seven settings (BackColor ... ShowLogo) are its own fields: defaults until LoadSettings reads
// a file.
class TStars : public TSkySettings {
public:
    TStars();
    ~TStars();
    TStars(const TStars&) = delete;
    TStars& operator=(const TStars&) = delete;

    // Reads the seven settings from SettingsPath (TSettingsFile); no file means the defaults. A
    // file headed by another title asks the application to end (ForeignTitle tells so). A damaged
    // file gives the defaults (SettingsDamaged tells so). SettingsProblem says what was wrong in
    // either case. A file that exists but cannot be opened raises EFOpenError.
    void LoadSettings();
    // Writes the seven settings to SettingsSavePath in one step, making its folder as needed.
    // Raises EFCreateError.
    void SaveSettings();
    // Reads and writes the settings at `path` from now on.
    void UseSettingsFile(const QString& path);
    void DrawFrame();
    void ResizeSurface();

    // The most stars a field holds: 160 MB of coordinates. A larger count raises EOutOfMemory in
    // the first frame before anything is allocated (overcommitted memory would let a far larger
    // allocation "succeed" and then run the machine out of memory while the stars are placed).
    static constexpr int MaxStarCount = 10'000'000;

    // The title that heads the settings file: the application's title, "Skyglow II" when the
    // program has no title (yet).
    static QString ApplicationTitle();

    double CenterX = 0;
    double CenterY = 0;
    int FrameCount = 0;
    // Where the settings are read and written (TSettingsLocation: beside a portable copy, else the
    // user's own file, read from beside the executable while the user has none).
    QString SettingsPath;
    QString SettingsSavePath;
    bool SettingsSaveMakesFolder = false;  // SaveSettings makes the folder of SettingsSavePath
    std::unique_ptr<TVexImage> Logo;
    std::unique_ptr<TVectorD> StarX;
    std::unique_ptr<TVectorD> StarY;
    TVexImage* Surface = nullptr;     // not owned
    TVexImage* LogoSource = nullptr;  // not owned

    // Where frames read the date and time; empty: the system clock. Previews and tests fix it.
    std::function<QDateTime()> Clock;
    // Draws every shadow copy with a plain TextOut instead of the composed shadow. Same pixels,
    // far slower; kept to compare the two.
    bool NaiveText = false;
    // Asked after every StarsPerSlice stars while a frame places, draws or moves more than that
    // many, so that a window can take in the user's input in the middle of a long frame (ten
    // million stars take seconds); returning true gives up the rest of the frame, as a window
    // does that is closing. The frame counter then stays, so the next frame starts it again.
    // Empty: frames are never interrupted.
    std::function<bool()> Interrupted;
    static constexpr int StarsPerSlice = 65536;
    // LoadSettings met a file of another title and asked the application to end.
    bool ForeignTitle = false;
    // LoadSettings met a damaged file and took the defaults.
    bool SettingsDamaged = false;
    // What LoadSettings found wrong with the file ("its title is ..."); empty when nothing was.
    QString SettingsProblem;

    // The texts the last frame showed.
    const QString& DateText() const { return FDateText; }
    const QString& TimeText() const { return FTimeText; }

protected:
    void MoveCenter();
    // These three return false when Interrupted gave up the frame.
    bool InitStars();
    void RespawnStar(int i);
    void DrawStar(int i);
    // Centred on (x, y) in the surface's bitmap pixels.
    void DrawLogo(int x, int y);
    bool MoveStars();

private:
    void RefuseForeignTitle();
    int PlacedStars() const;
    bool DrawStars();
    bool SliceEnds(int i, int count) const;
    void PrepareStars();
    void ScaleLogo();
    int Scaled(int length) const;
    void PaintStar(TSpanPainter& painter, int i);
    void UpdateTexts();
    void FormatTexts(const QDateTime& now);
    void PrepareFont(TCanvas* canvas);
    bool ComposedText(const TCanvas* canvas) const;
    void DrawShadowedText(TCanvas* canvas, int depth);
    void DrawLogoFrames(TCanvas* canvas, int left, int top, int w, int h);
    bool CanCopyFramedLogo(const TCanvas* canvas, int w, int h) const;

    bool FLogoEmpty = true;  // the scaled logo has no pixels (tiny surface, empty source)
    TBitmap FFramedLogo;     // the scaled logo with its frames drawn on it
    bool FFramedLogoReady = false;
    std::uint32_t FFramedLight = 0, FFramedDark = 0;  // the system colours its frames were drawn in
    qint64 FShownSecond = -1;                         // second of the texts formatted last (system clock)
    QDate FShownDate;                                 // date and second of the day of the texts formatted last (Clock)
    int FShownSecondOfDay = -1;
    QString FDateText;
    QString FTimeText;
    int FFontSize = 0;           // points FTextHeight was measured for
    TFontStyles FFontStyle = 0;  // and style
    int FTextHeight = 0;         // height of "0" in that font (at ratio 1)
    double FTextRatio = 1;       // pixel ratio FDeviceTextHeight was worked out for
    int FDeviceTextHeight = 0;   // FTextHeight in the surface's bitmap pixels
    int FMaskFontHeight = 0;     // pixel height and style the text masks were rendered for
    TFontStyles FMaskFontStyle = 0;
    TTextMask FDateMask;
    TTextMask FTimeMask;
    TShadowText FShadow;  // date above time, composed together
    TStarStamps FStamps;
    std::uint32_t FStarPixel = 0;         // StarColor as a row pixel
    double FDiagonal = 0;                 // of the surface, for the star sizes
    bool FStampable = false;              // the canvas's pen draws dots as the stamps learnt them
    int FLeastDot = 0;                    // the smallest star dot drawn, bitmap pixels
    double FRatio = 1;                    // the surface's pixel ratio in this frame
    double FLogoRatio = 1;                // the pixel ratio the logo was scaled for
    int FLogoWidth = 0, FLogoHeight = 0;  // the logo's size at ratio 1
};

}  // namespace Tallwick
