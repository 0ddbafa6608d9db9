#pragma once
/// \class Tallwick::TTextMask
/// The pixels a string covers in a font, rendered once and kept as spans, so text drawn many times
/// (the saver's shadowed date and time) costs a few span fills instead of a glyph rendering each
/// time. Qt draws glyphs above about 64 pixels as paths, about a hundred times slower than cached
/// glyphs. Text is aliased, so the mask gives exactly the pixels TextOut would.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Font.h>

#include <QString>
#include <vector>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TTextMask {
public:
    TTextMask();
    TTextMask(const TTextMask& other);
    TTextMask& operator=(const TTextMask& other);
    ~TTextMask();

    struct Span {
        int y, x0, x1;  ///< relative to the text cell's top-left; x1 inclusive
    };

    /// Renders `text` in `font` unless this mask already holds exactly that.
    void Update(const TFont& font, const QString& text);

    const QString& Text() const;
    int Width() const;   // advance width, as TextWidth
    int Height() const;  // ascent + descent, as TextHeight
    int Ascent() const;
    const std::vector<Span>& Spans() const;

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
