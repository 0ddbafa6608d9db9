// TColorButton: a bevelled colour swatch whose button opens the colour chooser.
#include "Tcolorbutton.h"
#include "TcolorbuttonTesting.h"

#include "ComponentRegistry.h"
#include "CustomPanelHooks.h"
#include "Cursors.h"
#include "EventGuard.h"

#include <QColorDialog>
#include <QToolButton>

namespace Tallwick {

namespace {
// A flat speed button: no face of its own, so the panel's colour shows through; a raised edge
// while the pointer is over it and a sunken one while it is pressed.
const char* const kFlatButtonStyle =
    "QToolButton { border: none; background: transparent; }"
    "QToolButton:hover { border: 1px solid; border-color: palette(light) palette(dark) palette(dark) palette(light); }"
    "QToolButton:pressed { border-color: palette(dark) palette(light) palette(light) palette(dark); }";

}  // namespace

class TColorButton::Private {
public:
    QColorDialog* FColorDialog = nullptr;
    QToolButton* FButton = nullptr;
    TColorChooser FChooser;
};

TColorButton::TColorButton(QWidget* owner) : TCustomPanel(owner), d(std::make_unique<Private>()) {
    TCustomPanelHooks::SetAfterResize(*this, [this] { PanelResize(this); });
    d->FColorDialog = new QColorDialog(this);
    d->FButton = new QToolButton(this);
    d->FButton->setCursor(CursorFor(crHandPoint));
    d->FButton->setAutoRaise(true);
    d->FButton->setStyleSheet(QString::fromLatin1(kFlatButtonStyle));
    d->FButton->setToolTip(QStringLiteral("Elegir color"));
    // A speed button never takes the keyboard focus.
    d->FButton->setFocusPolicy(Qt::NoFocus);
    connect(d->FButton, &QToolButton::clicked, this, [this] { GuardEvent(this, [this] { ButtonClick(d->FButton); }); });
    SetBevelInner(bvLowered);
    SetBevelOuter(bvRaised);
    SetCaption(QStringLiteral(" "));
    SetColor(clRed);
    SetHeight(24);
    SetWidth(64);
    ButtonResize();
}

TColorButton::~TColorButton() { TCustomPanelHooks::SetAfterResize(*this, nullptr); }

void TColorButtonTesting::SetChooser(TColorButton& button, TColorButton::TColorChooser chooser) {
    button.d->FChooser = std::move(chooser);
}

QToolButton* TColorButton::Button() const { return d->FButton; }

QColorDialog* TColorButton::ColorDialog() const { return d->FColorDialog; }

void TColorButton::ButtonClick(QObject*) {
    const TColor preset = ColorToRGB(Color());
    const std::optional<TColor> chosen = d->FChooser ? d->FChooser(this, preset) : RunColorDialog(preset);
    if (!chosen || *chosen == Color())
        return;
    SetColor(*chosen);
    if (OnChange)
        OnChange(this);
    emit changed(this);
}

std::optional<TColor> TColorButton::RunColorDialog(TColor preset) {
    d->FColorDialog->setCurrentColor(ColorToQColor(preset));
    if (d->FColorDialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return QColorToColor(d->FColorDialog->selectedColor());
}

// The button covers the face inside the two 1-pixel bevels; no minimum size is enforced.
void TColorButton::ButtonResize() { d->FButton->setGeometry(2, 2, Width() - 4, Height() - 4); }

// The panel's OnResize has run: the face button follows the new size.
void TColorButton::PanelResize(QObject*) { ButtonResize(); }

void TColorButton::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TColorButton")); }

}  // namespace Tallwick
