#pragma once
/// \file
/// TColor is laid out 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23. A high byte of 0x80 names
/// a system colour (its low byte is the system colour index), resolved through the application palette
/// when drawn.
#include <Tallwick/TallwickExport.h>
#include <QColor>
#include <QRgb>
#include <cstdint>

namespace Tallwick {

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | unsigned(index)); }
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DHighlight = clBtnHighlight;
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);

inline bool IsSystemColor(TColor c) { return (std::uint32_t(c) >> 24) == 0x80; }
inline int GetRValue(TColor c) { return c & 0xFF; }
inline int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline int GetBValue(TColor c) { return (c >> 16) & 0xFF; }
inline TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

/// Plain 0x00BBGGRR value of a colour; system colours are looked up in the application palette.
TALLWICK_EXPORT TColor ColorToRGB(TColor c);

/// The colour as a Qt pixel of Format_RGB32 (0xFFRRGGBB), system colours resolved.
TALLWICK_EXPORT QRgb ColorToQRgb(TColor c);

/// A Qt pixel (alpha ignored) as a plain TColor.
inline TColor QRgbToColor(QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); }

/// The colour as Qt shows it now (system colours resolved, opaque), and a Qt colour as plain RGB.
inline QColor ColorToQColor(TColor c) { return QColor::fromRgb(ColorToQRgb(c)); }
inline TColor QColorToColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace Tallwick

// The Qt face of a colour property X of a component (declared with two Q_PROPERTYs sharing the
// NOTIFY signal XChanged): XQColor/SetXQColor for Designer's colour editor, which reads the colour
// shown now and writes plain RGB; XValue/SetXValue for the raw TColor, which keeps system colours
// (0x80000000 and up). Both go through the component's own X()/SetX(), so its rules hold.
#define TALLWICK_COLOR_ACCESSORS(X)                                                \
    QColor X##QColor() const { return ::Tallwick::ColorToQColor(X()); }            \
    void Set##X##QColor(const QColor& c) { Set##X(::Tallwick::QColorToColor(c)); } \
    uint X##Value() const { return static_cast<uint>(X()); }                       \
    void Set##X##Value(uint v) { Set##X(static_cast<::Tallwick::TColor>(v)); }
