// TSpeedButton: a tool button showing its glyph a fixed margin from its left edge.
#include "SpeedButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace Tallwick {

class TSpeedButton::Private {
public:
    QIcon FGlyph;
    int FMargin = -1;
};

TSpeedButton::TSpeedButton(QWidget* owner) : QToolButton(owner), d(std::make_unique<Private>()) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

void TSpeedButton::SetGlyph(const QIcon& glyph) {
    d->FGlyph = glyph;
    update();
}

void TSpeedButton::SetMargin(int value) {
    d->FMargin = value;
    update();
}

QRect TSpeedButton::GlyphRect() const {
    const QList<QSize> sizes = d->FGlyph.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize() : sizes.front();
    const int x = d->FMargin < 0 ? (width() - size.width()) / 2 : d->FMargin;
    const int y = (height() - size.height()) / 2;
    const int shift = Down() ? 1 : 0;
    return QRect(QPoint(x + shift, y + shift), size);
}

void TSpeedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.icon = QIcon();
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const QRect place = GlyphRect();
    if (place.isEmpty())
        return;
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    painter.drawPixmap(place.topLeft(), d->FGlyph.pixmap(place.size(), devicePixelRatio(), mode));
}

const QIcon& TSpeedButton::Glyph() const { return d->FGlyph; }
int TSpeedButton::Margin() const { return d->FMargin; }
TSpeedButton::~TSpeedButton() = default;

}  // namespace Tallwick
