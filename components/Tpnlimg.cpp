// TPnlImg: a bevelled panel carrying an image surface, with optional scroll bars.
#include "Tpnlimg.h"

#include "ComponentRegistry.h"
#include "ControlAlign.h"
#include "EventGuard.h"

#include <QScrollBar>

namespace Tallwick {

class TPnlImg::Private {
public:
    bool FScrollBars = false;
    QSize FKnownHint;
    TVexImage* FImage = nullptr;
    TCustomPanel* FPanel = nullptr;
    TCustomPanel* FPanelBottom = nullptr;
    TCustomPanel* FPanelRight = nullptr;
    TCustomPanel* FPanelCorner = nullptr;
    QScrollBar* FScrollBarH = nullptr;
    QScrollBar* FScrollBarV = nullptr;
};

namespace {
constexpr int kBarThickness = 13;
constexpr int kCornerWidth = 15;
}  // namespace

TPnlImg::TPnlImg(QWidget* owner) : TCustomPanel(owner), d(std::make_unique<Private>()) {
    SetBevelInner(bvLowered);
    SetBevelOuter(bvLowered);
    SetCaption(QStringLiteral(" "));
    TCustomPanel::SetHeight(160);
    TCustomPanel::SetWidth(160);

    d->FPanel = new TCustomPanel(this);
    d->FPanel->SetBevelInner(bvNone);
    d->FPanel->SetBevelOuter(bvNone);

    d->FImage = new TVexImage(d->FPanel);
    d->FImage->SetFollowDeviceRatio(true);
    // On a screen of another ratio the inside is drawn again, as after a resize.
    connect(d->FImage, &TVexImage::DeviceRatioChanged, this, [this] {
        if (d->FPanel->OnResize)
            d->FPanel->OnResize(d->FPanel);
    });
    d->FImage->OnClick = [this](QObject* s) { GuardEvent(this, [&] { ImageClick(s); }); };
    d->FImage->OnDblClick = [this](QObject* s) { GuardEvent(this, [&] { ImageDblClick(s); }); };
    d->FImage->OnMouseDown = [this](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        GuardEvent(this, [&] { ImageMouseDown(s, b, sh, x, y); });
    };
    d->FImage->OnMouseMove = [this](QObject* s, TShiftState sh, int x, int y) {
        GuardEvent(this, [&] { ImageMouseMove(s, sh, x, y); });
    };
    d->FImage->OnMouseUp = [this](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        GuardEvent(this, [&] { ImageMouseUp(s, b, sh, x, y); });
    };
    d->FImage->SetAlign(alClient);
    d->FPanel->OnResize = [this](QObject*) { GuardEvent(this, [&] { PanelResize(this); }); };
    // Aligned last, once its resize handler is bound: the first layout of the inside already
    // gives the image a bitmap of its size.
    SetControlAlign(d->FPanel, alClient);
    // The frame is part of every descendant's size hint.
    for (auto changed : {&TCustomPanel::BevelInnerChanged, &TCustomPanel::BevelOuterChanged,
                         &TCustomPanel::BevelWidthChanged, &TCustomPanel::BorderWidthChanged})
        connect(this, changed, this, &TPnlImg::HintMaybeChanged);
}

// The bars go without a resize notification: a descendant's redraw must not run on an object
// whose own part is already destroyed.
TPnlImg::~TPnlImg() {
    StopResizeNotifications();
    if (d->FScrollBars)
        ScrollBarsDelete();
    d->FScrollBars = false;
    d->FImage->OnClick = nullptr;
    d->FImage->OnDblClick = nullptr;
    d->FImage->OnMouseDown = nullptr;
    d->FImage->OnMouseMove = nullptr;
    d->FImage->OnMouseUp = nullptr;
}

void TPnlImg::StopResizeNotifications() {
    d->FPanel->OnResize = nullptr;
    OnResize = nullptr;
}

void TPnlImg::SetCursor(TCursor value) {
    if (value == d->FImage->Cursor())
        return;
    d->FImage->SetCursor(value);
    emit CursorChanged();
}

QSize TPnlImg::WithFrame(QSize inside) const {
    const QMargins outer = contentsMargins(), inner = d->FPanel->contentsMargins();
    int w = inside.width() + outer.left() + outer.right() + inner.left() + inner.right();
    int h = inside.height() + outer.top() + outer.bottom() + inner.top() + inner.bottom();
    if (d->FScrollBars) {
        w += kBarThickness;
        h += kBarThickness;
    }
    return QSize(w, h);
}

void TPnlImg::HintMaybeChanged() {
    const QSize hint = sizeHint();
    if (hint == d->FKnownHint)
        return;
    d->FKnownHint = hint;
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
    d->FImage->Resize();
    ResizeContent();
    if (OnResize)
        OnResize(this);
    emit resized(this);
}

void TPnlImg::SetScrollBars(bool value) {
    if (value == d->FScrollBars)
        return;
    if (value)
        ScrollBarsCreate();
    else
        ScrollBarsDelete();
    d->FScrollBars = value;
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
    d->FPanelRight = NewEdgePanel(d->FPanel, alRight, kBarThickness);
    d->FScrollBarV = NewBar(Qt::Vertical, d->FPanelRight);
    connect(d->FScrollBarV, &QScrollBar::valueChanged, this,
            [this] { GuardEvent(this, [&] { ScrollBarVChange(d->FScrollBarV); }); });
    d->FPanelBottom = NewEdgePanel(d->FPanel, alBottom, kBarThickness);
    d->FPanelCorner = NewEdgePanel(d->FPanelBottom, alRight, kCornerWidth);
    d->FScrollBarH = NewBar(Qt::Horizontal, d->FPanelBottom);
    connect(d->FScrollBarH, &QScrollBar::valueChanged, this,
            [this] { GuardEvent(this, [&] { ScrollBarHChange(d->FScrollBarH); }); });
}

void TPnlImg::ScrollBarsDelete() {
    delete d->FPanelRight;
    delete d->FPanelBottom;
    d->FPanelRight = d->FPanelBottom = d->FPanelCorner = nullptr;
    d->FScrollBarH = d->FScrollBarV = nullptr;
    AlignChildren(d->FPanel);
}

void TPnlImg::Register() { RegisterComponent(QStringLiteral("Tallwick"), QStringLiteral("TPnlImg")); }

TVexImage* TPnlImg::Image() const { return d->FImage; }
TCustomPanel* TPnlImg::InnerPanel() const { return d->FPanel; }
QScrollBar* TPnlImg::ScrollBarH() const { return d->FScrollBarH; }
QScrollBar* TPnlImg::ScrollBarV() const { return d->FScrollBarV; }
TCursor TPnlImg::GetCursor() const { return d->FImage->Cursor(); }
bool TPnlImg::ScrollBars() const { return d->FScrollBars; }

}  // namespace Tallwick
