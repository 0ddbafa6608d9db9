// Following a window of another program on Windows: its size changes and its destruction.
#include "ParentWindowWatcher.h"

#include "HostWindows.h"

#include <QTimer>

namespace Tallwick {

namespace {
constexpr int kLookIntervalMs = 100;
}

TParentWindowWatcher::TParentWindowWatcher(unsigned long windowId, QObject* parent)
    : QObject(parent),
      FWindowId(windowId) {
    FSize = HostWindowSize(windowId);
    FValid = FSize.isValid();
    if (!FValid) {
        QMetaObject::invokeMethod(this, &TParentWindowWatcher::windowDestroyed, Qt::QueuedConnection);
        return;
    }
    FTimer = new QTimer(this);
    connect(FTimer, &QTimer::timeout, this, &TParentWindowWatcher::Look);
    FTimer->start(kLookIntervalMs);
}

TParentWindowWatcher::~TParentWindowWatcher() = default;

unsigned long TParentWindowWatcher::WindowId() const { return FWindowId; }

bool TParentWindowWatcher::isValid() const { return FValid; }

QSize TParentWindowWatcher::size() const { return FSize; }

void TParentWindowWatcher::Look() {
    const QSize now = HostWindowSize(FWindowId);
    if (!now.isValid()) {
        MarkGone();
        return;
    }
    if (now != FSize) {
        FSize = now;
        emit resized(now);
    }
}

void TParentWindowWatcher::MarkGone() {
    if (!FValid)
        return;
    FValid = false;
    FSize = QSize();
    FTimer->stop();
    emit windowDestroyed();
}

}  // namespace Tallwick
