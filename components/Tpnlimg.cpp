// TPnlImg: a bevelled panel carrying an image surface, with optional scroll bars.
#include "Tpnlimg.h"

#include "ComponentRegistry.h"
#include "ControlAlign.h"
#include "EventGuard.h"

#include <QScrollBar>

namespace Tallwick {

namespace {
constexpr int kBarThickness = 13;
constexpr int kCornerWidth = 15;
}  // namespace

TPnlImg::TPnlImg(QWidget* owner) : TCustomPanel(owner) {
    SetBevelInner(bvLowered);
    SetBevelOuter(bvLowered);
    SetCaption(QStringLiteral(" "));
    TCustomPanel::SetHeight(160);
    TCustomPanel::SetWidth(160);

    FPanel = new TCustomPanel(this);
    FPanel->SetBevelInner(bvNone);
    FPanel->SetBevelOuter(bvNone);

    FImage = new TVexImage(FPanel);
    FImage->SetFollowDeviceRatio(true);
    // On a screen of another ratio the inside is drawn again, as after a resize.
    connect(FImage, &TVexImage::DeviceRatioChanged, this, [this] {
        if (FPanel->OnResize)
            FPanel->OnResize(FPanel);
    });
    FImage->OnClick = [this](QObject* s) { GuardEvent(this, [&] { ImageClick(s); }); };
    FImage->OnDblClick = [this](QObject* s) { GuardEvent(this, [&] { ImageDblClick(s); }); };
    FImage->OnMouseDown = [this](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        GuardEvent(this, [&] { ImageMouseDown(s, b, sh, x, y); });
    };
    FImage->OnMouseMove = [this](QObject* s, TShiftState sh, int x, int y) {
        GuardEvent(this, [&] { ImageMouseMove(s, sh, x, y); });
    };
    FImage->OnMouseUp = [this](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        GuardEvent(this, [&] { ImageMouseUp(s, b, sh, x, y); });
    };
    FImage->SetAlign(alClient);
    FPanel->OnResize = [this](QObject*) { GuardEvent(this, [&] { PanelResize(this); }); };
    // Aligned last, once its resize handler is bound: the first layout of the inside already
    // gives the image a bitmap of its size.
    SetControlAlign(FPanel, alClient);
    // The frame is part of every descendant's size hint.
    for (auto changed : {&TCustomPanel::BevelInnerChanged, &TCustomPanel::BevelOuterChanged,
                         &TCustomPanel::BevelWidthChanged, &TCustomPanel::BorderWidthChanged})
        connect(this, changed, this, &TPnlImg::HintMaybeChanged);
}

// The bars go without a resize notification: a descendant's redraw must not run on an object
// whose own part is already destroyed.
TPnlImg::~TPnlImg() {
    StopResizeNotifications();
    if (FScrollBars)
        ScrollBarsDelete();
    FScrollBars = false;
    FImage->OnClick = nullptr;
    FImage->OnDblClick = nullptr;
    FImage->OnMouseDown = nullptr;
    FImage->OnMouseMove = nullptr;
    FImage->OnMouseUp = nullptr;
}

void TPnlImg::StopResizeNotifications() {
    FPanel->OnResize = nullptr;
    OnResize = nullptr;
}

void TPnlImg::SetCursor(TCursor value) {
    if (value == FImage->Cursor())
        return;
    FImage->SetCursor(value);
    emit CursorChanged();
}

QSize TPnlImg::WithFrame(QSize inside) const {
    const QMargins outer = contentsMargins(), inner = FPanel->contentsMargins();
    int w = inside.width() + outer.left() + outer.right() + inner.left() + inner.right();
    int h = inside.height() + outer.top() + outer.bottom() + inner.top() + inner.bottom();
    if (FScrollBars) {
        w += kBarThickness;
        h += kBarThickness;
    }
    return QSize(w, h);
}

void TPnlImg::HintMaybeChanged() {
    const QSize hint = sizeHint();
    if (hint == FKnownHint)
        return;
    FKnownHint = hint;
    updateGeometry();
}

void TPnlImg::resizeEvent(QResizeEvent* event) { TControl::resizeEvent(event); }

void TPnlImg::ImageClick(QObject*) {
    if (OnClick)
        OnClick(this);
    emit clicked(this);
}

void TPnlImg::ImageDblClick(QObject*) {
    if (OnDblClick)
        OnDblClick(this);
    emit doubleClicked(this);
}

void TPnlImg::ImageMouseDown(QObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
    emit mousePressed(this, Button, Shift, X, Y);
}

void TPnlImg::ImageMouseMove(QObject*, TShiftState Shift, int X, int Y) {
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
    emit mouseMoved(this, Shift, X, Y);
}

void TPnlImg::ImageMouseUp(QObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
    emit mouseReleased(this, Button, Shift, X, Y);
}

void TPnlImg::ScrollBarHChange(QObject*) {
    if (OnScrollBarHChange)
        OnScrollBarHChange(this);
    emit scrollBarHChanged(this);
}

void TPnlImg::ScrollBarVChange(QObject*) {
    if (OnScrollBarVChange)
        OnScrollBarVChange(this);
    emit scrollBarVChanged(this);
}

void TPnlImg::PanelResize(QObject*) {
    FImage->Resize();
    ResizeContent();
    if (OnResize)
        OnResize(this);
    emit resized(this);
}

void TPnlImg::SetScrollBars(bool value) {
    if (value == FScrollBars)
        return;
    if (value)
        ScrollBarsCreate();
    else
        ScrollBarsDelete();
    FScrollBars = value;
    HintMaybeChanged();
    emit ScrollBarsChanged();
    PanelResize(this);
}

TCustomPanel* TPnlImg::NewEdgePanel(QWidget* parent, TAlign align, int size) {
    auto* panel = new TCustomPanel(parent);
    panel->SetBevelInner(bvNone);
    panel->SetBevelOuter(bvNone);
    if (align == alBottom)
        panel->resize(panel->width(), size);
    else
        panel->resize(size, panel->height());
    SetControlAlign(panel, align);
    return panel;
}

namespace {
QScrollBar* NewBar(Qt::Orientation orientation, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setRange(0, 100);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setFocusPolicy(Qt::NoFocus);
    if (parent->isVisible())
        bar->show();
    SetControlAlign(bar, alClient);
    return bar;
}
}  // namespace

void TPnlImg::ScrollBarsCreate() {
    FPanelRight = NewEdgePanel(FPanel, alRight, kBarThickness);
    FScrollBarV = NewBar(Qt::Vertical, FPanelRight);
    connect(FScrollBarV, &QScrollBar::valueChanged, this,
            [this] { GuardEvent(this, [&] { ScrollBarVChange(FScrollBarV); }); });
    FPanelBottom = NewEdgePanel(FPanel, alBottom, kBarThickness);
    FPanelCorner = NewEdgePanel(FPanelBottom, alRight, kCornerWidth);
    FScrollBarH = NewBar(Qt::Horizontal, FPanelBottom);
    connect(FScrollBarH, &QScrollBar::valueChanged, this,
            [this] { GuardEvent(this, [&] { ScrollBarHChange(FScrollBarH); }); });
}

void TPnlImg::ScrollBarsDelete() {
    delete FPanelRight;
    delete FPanelBottom;
    FPanelRight = FPanelBottom = FPanelCorner = nullptr;
    FScrollBarH = FScrollBarV = nullptr;
    AlignChildren(FPanel);
}

void TPnlImg::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TPnlImg")); }

}  // namespace Tallwick
