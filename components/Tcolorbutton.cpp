// TColorButton: a bevelled colour swatch whose button opens the colour chooser.
#include "Tcolorbutton.h"

#include "ComponentRegistry.h"
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

TColorButton::TColorButton(QWidget* owner) : TCustomPanel(owner) {
    TCustomPanel::OnResize = [this](QObject* Sender) { PanelResize(Sender); };
    FColorDialog = new QColorDialog(this);
    FButton = new QToolButton(this);
    FButton->setCursor(CursorFor(crHandPoint));
    FButton->setAutoRaise(true);
    FButton->setStyleSheet(QString::fromLatin1(kFlatButtonStyle));
    FButton->setToolTip(QStringLiteral("Elegir color"));
    // A speed button never takes the keyboard focus.
    FButton->setFocusPolicy(Qt::NoFocus);
    connect(FButton, &QToolButton::clicked, this, [this] { GuardEvent(this, [this] { ButtonClick(FButton); }); });
    SetBevelInner(bvLowered);
    SetBevelOuter(bvRaised);
    SetCaption(QStringLiteral(" "));
    SetColor(clRed);
    SetHeight(24);
    SetWidth(64);
    ButtonResize();
}

TColorButton::~TColorButton() { TCustomPanel::OnResize = nullptr; }

void TColorButton::SetChooser(TColorChooser chooser) { FChooser = std::move(chooser); }

void TColorButton::ButtonClick(QObject*) {
    const TColor preset = ColorToRGB(Color());
    const std::optional<TColor> chosen = FChooser ? FChooser(this, preset) : RunColorDialog(preset);
    if (!chosen || *chosen == Color())
        return;
    SetColor(*chosen);
    if (OnChange)
        OnChange(this);
    emit changed(this);
}

std::optional<TColor> TColorButton::RunColorDialog(TColor preset) {
    FColorDialog->setCurrentColor(ColorToQColor(preset));
    if (FColorDialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return QColorToColor(FColorDialog->selectedColor());
}

// The button covers the face inside the two 1-pixel bevels; no minimum size is enforced.
void TColorButton::ButtonResize() { FButton->setGeometry(2, 2, Width() - 4, Height() - 4); }

void TColorButton::PanelResize(QObject*) {
    if (OnResize)
        OnResize(this);
    ButtonResize();
}

void TColorButton::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TColorButton")); }

}  // namespace Tallwick
