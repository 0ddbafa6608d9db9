#pragma once
// Shows a cursor on an image control for the length of a scope and puts the one it had back at
// the end, also when the scope is left by an error. A control deleted meanwhile is left alone.
#include <Tallwick/Cursors.h>
#include <Tallwick/ImageControl.h>

#include <QPointer>

namespace Tallwick {

class TCursorScope {
public:
    TCursorScope(TImage* image, TCursor cursor) : FImage(image), FSaved(image->Cursor()) { image->SetCursor(cursor); }
    ~TCursorScope() {
        if (FImage)
            FImage->SetCursor(FSaved);
    }
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;

private:
    QPointer<TImage> FImage;
    TCursor FSaved;
};

}  // namespace Tallwick
