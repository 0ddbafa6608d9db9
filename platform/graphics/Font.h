#pragma once
/// \class Tallwick::TFont
/// A canvas font: face name, size in points, style, character set, pitch, colour and escapement.
/// Sizes become pixel em-heights at 96 pixels per inch whatever the device, so text measures the
/// same everywhere. Text is drawn aliased, as the classic desktop drew it; that also keeps cached
/// text exact.
///
/// Like the framework's font, a TFont describes a device font (its handle) built from those
/// properties, with no escapement. Another device font can be put in its place (SetHandle: a turned
/// one from CreateFontIndirect); setting the face, size, height, style, character set or pitch
/// afterwards builds the plain font from the properties again, so the turn ends there.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Color.h>

#include <QFont>
#include <QString>
#include <memory>

namespace Tallwick {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = unsigned char;
constexpr TFontCharset DEFAULT_CHARSET = 1;

/// A logical font as the device interface describes one (its LOGFONT).
struct TALLWICK_EXPORT TLogFont {
    int lfHeight = 0;  ///< pixels; negative: the em-height
    int lfWidth = 0;
    int lfEscapement = 0;  ///< tenths of a degree, counter-clockwise
    int lfOrientation = 0;
    int lfWeight = 400;  ///< 700 bold
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    TFontCharset lfCharSet = DEFAULT_CHARSET;
    unsigned char lfOutPrecision = 0;
    unsigned char lfClipPrecision = 0;
    unsigned char lfQuality = 0;
    unsigned char lfPitchAndFamily = 0;  ///< low two bits: 0 default, 1 fixed, 2 variable
    QString lfFaceName;                  ///< at most 31 characters
};
/// A device font; released with its last user.
using HFONT = std::shared_ptr<const TLogFont>;
/// The device font a logical font describes; the face name is cut to 31 characters.
TALLWICK_EXPORT HFONT CreateFontIndirect(const TLogFont& logFont);

class TALLWICK_EXPORT TFont {
public:
    TFont();
    ~TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const QString& Name() const;
    void SetName(const QString& name);
    int Size() const;  ///< points
    void SetSize(int points);
    int Height() const;  // pixels; negative: the em-height
    void SetHeight(int pixels);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const;
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const;
    void SetPitch(TFontPitch pitch);
    TColor Color() const;
    void SetColor(TColor color);
    /// The escapement of the device font: tenths of a degree, counter-clockwise.
    int Orientation() const;
    void SetOrientation(int tenths);

    /// The device font these properties describe (with the current escapement).
    HFONT Handle() const;
    /// Puts a device font in place: face, height, style, character set, pitch and escapement are
    /// read back from it; the colour stays. A null handle changes nothing.
    void SetHandle(const HFONT& font);

    void Assign(const TFont& other) { *this = other; }

    /// The Qt font for the current name, size and style (built again only after a change).
    const QFont& Resolved() const;
    /// A key that changes whenever the glyphs drawn would change.
    QString Key() const;

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
