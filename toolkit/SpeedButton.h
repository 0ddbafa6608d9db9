#pragma once
/// \class Tallwick::TSpeedButton
/// TSpeedButton: a tool button showing a glyph a fixed margin from its left edge (the glyph is
/// centred when Margin is -1), shifted by one pixel while the button is down, as speed buttons
/// draw it. Grouping is left to a QButtonGroup; Down is the checked state.
#include <Tallwick/TallwickExport.h>
#include <QIcon>
#include <QToolButton>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* owner = nullptr);
    ~TSpeedButton() override;

    void SetGlyph(const QIcon& glyph);
    const QIcon& Glyph() const;
    int Margin() const;
    void SetMargin(int value);
    bool Down() const { return isChecked() || isDown(); }
    void SetDown(bool value) { setChecked(value); }

    /// Where the glyph is drawn, in the button's pixels.
    QRect GlyphRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
