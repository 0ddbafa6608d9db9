#pragma once
// Follows a window of another program on a connection of its own: reports its size changes and
// its destruction. A preview embedded in such a window uses it to keep the window's size and to
// end with it, as a child window ends with its parent on the original platform.
#include <QObject>
#include <QSize>

class QSocketNotifier;
typedef struct _XDisplay Display;

namespace Tallwick {

class TParentWindowWatcher : public QObject {
    Q_OBJECT
public:
    explicit TParentWindowWatcher(unsigned long windowId, QObject* parent = nullptr);
    ~TParentWindowWatcher() override;

    unsigned long WindowId() const;

    // False once the window is gone, and from the start when it never existed or there is no
    // X display; windowDestroyed() is then emitted once the event loop runs.
    bool isValid() const;

    // The window's size as last reported; invalid when unknown.
    QSize size() const;

signals:
    // The window now has another size (moves and restacking are not reported).
    void resized(QSize size);
    // The window no longer exists. Emitted at most once.
    void windowDestroyed();

private:
    void ReadEvents();
    void HandleEvent(const void* xevent);
    void MarkGone();

    unsigned long FWindowId;
    Display* FDisplay = nullptr;
    QSocketNotifier* FNotifier = nullptr;
    QSize FSize;
    bool FValid = false;
};

}  // namespace Tallwick
