#pragma once
/// \file
/// Stateless helpers shared by the star field and the components: star dots, colour blending,
/// distances, rounding, guards for the 16-bit coordinate range of the device interface, a triangle
/// fill, an integer clamp, the application directory, and the fields of the settings file.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/Color.h>

#include <QByteArray>
#include <QString>

class QIODevice;
class QWidget;

namespace Tallwick {

/// A star `size` pixels across centred on (x, y); sizes below 2 set the single pixel.
TALLWICK_EXPORT void DrawDot(TCanvas* canvas, int x, int y, int size, TColor color);
/// A filled ellipse in [left, right) x [top, bottom), outline and inside in `color`.
TALLWICK_EXPORT void FillEllipse(TCanvas* canvas, int left, int top, int right, int bottom, TColor color);
/// Per-channel linear blend from c1 (step 0) to c2 (step == steps); steps < 1 gives c1 unchanged.
TALLWICK_EXPORT TColor BlendColor(TColor c1, TColor c2, int step, int steps);
TALLWICK_EXPORT double SquaredDistance(double x1, double y1, double x2, double y2);
TALLWICK_EXPORT double PointDistance(double x1, double y1, double x2, double y2);
/// Rounds half away from zero: 2.5 -> 3, -2.5 -> -3, -0.49 -> 0. Results beyond the int range
/// saturate at its ends and NaN gives INT_MIN.
TALLWICK_EXPORT int RoundToInt(double v);
/// Fills the control's whole area of the canvas with `color` (pen and brush keep the colour).
TALLWICK_EXPORT void ClearControl(const QWidget* control, TCanvas* canvas, TColor color);

/// The device interface takes coordinates and extents in -8191..8191 only.
constexpr int kGdiRangeMin = -8191;
constexpr int kGdiRangeMax = 8191;
TALLWICK_EXPORT bool LineInGdiRange(int x1, int y1, int x2, int y2);
TALLWICK_EXPORT bool TriangleInGdiRange(int x1, int y1, int x2, int y2, int x3, int y3);
/// Whether the triangle lies wholly on one side outside the control (touching its edge is not).
TALLWICK_EXPORT bool TriangleOutside(const QWidget* control, int x1, int y1, int x2, int y2, int x3, int y3);
/// A filled triangle in the canvas's pen and brush. A triangle wholly on one side outside the
/// control is skipped and counts as drawn (true); a visible one out of range is skipped (false).
TALLWICK_EXPORT bool DrawTriangle(const QWidget* control, TCanvas* canvas, int x1, int y1, int x2, int y2, int x3,
                                  int y3);

/// The upper bound is tested first, so with low > high a value above high gives high.
TALLWICK_EXPORT int Clamp(int value, int low, int high);

/// Directory of the running executable, ending in exactly one '/' ("/" for the root).
TALLWICK_EXPORT QString ApplicationDirectory();
/// The same for a given executable path.
TALLWICK_EXPORT QString ExecutableDirectory(const QString& executablePath);

/// Settings-file fields, little-endian. A string is a 32-bit length and that many 8-bit characters,
/// cut at the first zero byte. A length that is negative or runs past the end of the stream reads
/// as an empty string and moves to the end: nothing is allocated from a length that cannot be true.
/// Numbers missing at the end of the stream read as `fallback`.
TALLWICK_EXPORT QByteArray ReadString(QIODevice& stream);
TALLWICK_EXPORT TColor ReadColor(QIODevice& stream, TColor fallback = 0);
TALLWICK_EXPORT int ReadInt(QIODevice& stream, int fallback = 0);
TALLWICK_EXPORT char ReadByte(QIODevice& stream, char fallback = 0);
TALLWICK_EXPORT void WriteString(QIODevice& stream, const QByteArray& text);
TALLWICK_EXPORT void WriteColor(QIODevice& stream, TColor color);
TALLWICK_EXPORT void WriteInt(QIODevice& stream, int value);
TALLWICK_EXPORT void WriteByte(QIODevice& stream, char value);

}  // namespace Tallwick
