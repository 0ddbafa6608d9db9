// Alignment of controls inside their parent, as the form framework lays them out.
#include "ControlAlign.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QWidget>

namespace Tallwick {

namespace {

// What the layout keeps about a widget lives in small child objects, not in dynamic properties:
// those are Qt's property system, and Designer would list them beside a component's own.

// The alignment of a control.
class AlignTag : public QObject {
public:
    AlignTag(QWidget* control, TAlign align) : QObject(control), Align(align) {}
    TAlign Align;
};

// Lays out the aligned children of the parent it watches when its size or margins change.
class AlignFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::ContentsRectChange)
            AlignChildren(static_cast<QWidget*>(watched));
        return false;
    }
};

template <class T>
T* ChildOfKind(const QObject* parent) {
    for (QObject* child : parent->children())
        if (auto* found = dynamic_cast<T*>(child))
            return found;
    return nullptr;
}

void WatchParent(QWidget* parent) {
    if (ChildOfKind<AlignFilter>(parent))
        return;
    parent->installEventFilter(new AlignFilter(parent));
}

}  // namespace

void SetControlAlign(QWidget* control, TAlign align) {
    if (auto* tag = ChildOfKind<AlignTag>(control))
        tag->Align = align;
    else
        new AlignTag(control, align);
    if (QWidget* parent = control->parentWidget()) {
        WatchParent(parent);
        AlignChildren(parent);
    }
}

void SetControlBounds(QWidget* control, const QRect& bounds) {
    const QSize old = control->size();
    const QPoint oldPos = control->pos();
    control->setGeometry(bounds);
    if (control->testAttribute(Qt::WA_PendingMoveEvent) && control->pos() != oldPos) {
        control->setAttribute(Qt::WA_PendingMoveEvent, false);
        QMoveEvent event(control->pos(), oldPos);
        QCoreApplication::sendEvent(control, &event);
    }
    if (control->testAttribute(Qt::WA_PendingResizeEvent) && control->size() != old) {
        control->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(control->size(), old);
        QCoreApplication::sendEvent(control, &event);
    }
}

TAlign ControlAlign(const QWidget* control) {
    const auto* tag = ChildOfKind<AlignTag>(control);
    return tag ? tag->Align : alNone;
}

void AlignChildren(QWidget* parent) {
    QRect r = parent->contentsRect();
    const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign kind : order) {
        for (QObject* object : parent->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow() || ControlAlign(child) != kind)
                continue;
            switch (kind) {
            case alTop:
                SetControlBounds(child, QRect(r.left(), r.top(), r.width(), child->height()));
                r.setTop(r.top() + child->height());
                break;
            case alBottom:
                SetControlBounds(child, QRect(r.left(), r.bottom() + 1 - child->height(), r.width(), child->height()));
                r.setBottom(r.bottom() - child->height());
                break;
            case alLeft:
                SetControlBounds(child, QRect(r.left(), r.top(), child->width(), r.height()));
                r.setLeft(r.left() + child->width());
                break;
            case alRight:
                SetControlBounds(child, QRect(r.right() + 1 - child->width(), r.top(), child->width(), r.height()));
                r.setRight(r.right() - child->width());
                break;
            default:
                SetControlBounds(child, QRect(r.left(), r.top(), std::max(0, r.width()), std::max(0, r.height())));
                break;
            }
        }
    }
}

}  // namespace Tallwick
