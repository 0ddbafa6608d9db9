// The widget-box icon of a component.
#include "ComponentIcon.h"

#include <Tallwick/Canvas.h>
#include <Tallwick/ComponentTable.h>
#include <Tallwick/Tescala.h>
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Tveximage.h>
#include <Tallwick/Tvexprogress.h>

#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <memory>

namespace Tallwick {

namespace {

constexpr int kIconSide = 24;
// A long thin component scaled into a square would be a sliver: its short side is drawn at least
// this fraction of its long side.
constexpr int kMostStretch = 2;

// A sun over a hill under a blue sky, drawn with the surface's own primitives.
void PaintLandscape(TVexImage* image) {
    const int w = image->Width(), h = image->Height();
    image->Fill(RGB(70, 130, 220));
    image->Ball3D(w / 2, h / 10, w * 9 / 10, h / 2, RGB(230, 120, 0), RGB(255, 240, 120), true);
    TCanvas* canvas = image->Canvas();
    canvas->Pen.Color = canvas->Brush.Color = RGB(40, 140, 50);
    canvas->Brush.Style = bsSolid;
    image->Ellipse(w / 3, h, w * 3 / 4, h / 2);
    canvas->Pen.Color = canvas->Brush.Color = RGB(20, 100, 40);
    image->Ellipse(w, h * 11 / 10, w / 2, h / 2);
}

// A plain image panel and an image surface hold a picture, a progress bar stands half full.
void StageForIcon(QWidget* widget) {
    if (auto* bar = qobject_cast<TVexProgress*>(widget)) {
        bar->SetPosition(bar->Min() + (bar->Max() - bar->Min()) / 2);
    } else if (auto* panel = qobject_cast<TPnlImg*>(widget)) {
        if (panel->metaObject() == &TPnlImg::staticMetaObject)
            PaintLandscape(panel->Image());
    } else if (auto* image = qobject_cast<TVexImage*>(widget)) {
        image->Resize();
        PaintLandscape(image);
    }
}

QSize IconFaceSize(QSize size) {
    const int longest = std::max(size.width(), size.height());
    return size.expandedTo(QSize(longest / kMostStretch, longest / kMostStretch));
}

}  // namespace

// The component drawn in its staged state, scaled into the icon with a thin frame.
QIcon ComponentIcon(const TComponentInfo& info) {
    std::unique_ptr<QObject> component(info.Create(nullptr));
    auto* widget = qobject_cast<QWidget*>(component.get());
    if (!widget)
        return QIcon();
    if (auto* scale = qobject_cast<TEscala*>(widget))
        scale->SetAutoSize(false);  // would take back the width the icon gives it
    widget->resize(IconFaceSize(info.DefaultSize));
    StageForIcon(widget);
    const int inside = kIconSide - 2;
    const QPixmap face = widget->grab().scaled(inside, inside, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap icon(kIconSide, kIconSide);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const QPoint at((kIconSide - face.width()) / 2, (kIconSide - face.height()) / 2);
    painter.drawPixmap(at, face);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(QRect(at - QPoint(1, 1), face.size() + QSize(1, 1)));
    painter.end();
    return QIcon(icon);
}

}  // namespace Tallwick
