#pragma once
// Follows a window of another program: reports its size changes and its destruction. A preview
// embedded in such a window uses it to keep the window's size and to end with it. Windows sends
// a child nothing when its parent goes (the child simply goes too), and a window of another
// process cannot be subclassed, so the window is looked at a few times a second.
#include <QObject>
#include <QSize>

class QTimer;

namespace Tallwick {

class TParentWindowWatcher : public QObject {
    Q_OBJECT
public:
    explicit TParentWindowWatcher(unsigned long windowId, QObject* parent = nullptr);
    ~TParentWindowWatcher() override;

    unsigned long WindowId() const;

    // False once the window is gone, and from the start when it never existed; windowDestroyed()
    // is then emitted once the event loop runs.
    bool isValid() const;

    // The window's client size as last seen; invalid when unknown.
    QSize size() const;

signals:
    // The window now has another size (moves and restacking are not reported).
    void resized(QSize size);
    // The window no longer exists. Emitted at most once.
    void windowDestroyed();

private:
    void Look();
    void MarkGone();

    unsigned long FWindowId;
    QTimer* FTimer = nullptr;
    QSize FSize;
    bool FValid = false;
};

}  // namespace Tallwick
