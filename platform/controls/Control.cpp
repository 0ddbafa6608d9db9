// The framework's control: the properties every visible component publishes, and their Qt face.
#include "Control.h"

#include "EventGuard.h"
#include "PropertyChange.h"

#include <QEvent>
#include <algorithm>

namespace Tallwick {

class TControl::Private {
public:
    QRect FReportedBounds;  ///< the bounds the last position and size signals announced
    TCursor FCursor = crDefault;
    QString FHint;
    int FTag = 0;
    bool FReportedEnabled = true;
};

TControl::TControl(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    // Controls are visible from creation, also inside a window that is already shown (where Qt
    // would leave a new child hidden).
    if (parent && parent->isVisible())
        show();
    d->FReportedBounds = geometry();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    SetControlBounds(this, QRect(left, top, std::max(width, 0), std::max(height, 0)));
}

TAlign TControl::Align() const { return ControlAlign(this); }

void TControl::SetAlign(TAlign align) {
    if (align == Align())
        return;
    SetControlAlign(this, align);
    emit AlignChanged();
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == d->FCursor)
        return;
    d->FCursor = cursor;
    setCursor(CursorFor(cursor));
    emit CursorChanged();
}

void TControl::SetHint(const QString& hint) {
    if (hint == d->FHint)
        return;
    d->FHint = hint;
    setToolTip(hint);
    emit HintChanged();
}

bool TControl::Visible() const {
    if (parentWidget())
        return isVisibleTo(parentWidget());
    return !testAttribute(Qt::WA_WState_ExplicitShowHide) || !isHidden();
}

void TControl::SetVisible(bool visible) {
    const bool before = Visible();
    setVisible(visible);
    if (Visible() != before)
        emit VisibleChanged();
}

void TControl::SetEnabled(bool value) { setEnabled(value); }

// Designer's form windows are the one sure sign: every widget of a form being edited lies inside
// one (the class Designer's findFormWindow looks for), while a preview or a program built from the
// same form has none. Asked by class name, so the library needs no part of Designer.
bool TControl::Designing() const {
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (w->inherits("QDesignerFormWindowInterface"))
            return true;
    return false;
}

void TControl::SetTag(int value) { ChangeProperty(this, d->FTag, value, nullptr, &TControl::TagChanged); }

// Position and size change through setters, alignment, layouts and the window manager alike; the
// signals follow the control's real geometry.
void TControl::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    GuardEvent(this, [this] {
        const QRect before = d->FReportedBounds;
        d->FReportedBounds.moveTopLeft(pos());
        if (before.x() != x())
            emit LeftChanged();
        if (before.y() != y())
            emit TopChanged();
    });
}

void TControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    GuardEvent(this, [this] {
        const QRect before = d->FReportedBounds;
        d->FReportedBounds.setSize(size());
        if (before.width() != width())
            emit WidthChanged();
        if (before.height() != height())
            emit HeightChanged();
    });
}

void TControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled() != d->FReportedEnabled) {
        d->FReportedEnabled = isEnabled();
        GuardEvent(this, [this] { emit EnabledChanged(); });
    }
}

TCursor TControl::Cursor() const { return d->FCursor; }
const QString& TControl::Hint() const { return d->FHint; }
int TControl::Tag() const { return d->FTag; }
TControl::~TControl() = default;

}  // namespace Tallwick
