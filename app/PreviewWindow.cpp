// TForm2, the live preview drawn inside a window of another program.
#include "PreviewWindow.h"

#include <Tallwick/Application.h>
#include <Tallwick/Exception.h>
#include "HostChoice.h"
#include <Tallwick/StrToInt.h>

#include <QCoreApplication>

namespace Tallwick {

TForm2::TForm2(const QString& parentArgument, const TSettingsOverrides& overrides)
    : TSaverForm(QPoint(8, 11), overrides) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    resize(193, 144);
    FormCreate(parentArgument);
}

TForm2::~TForm2() { FormDestroy(); }

void TForm2::FormCreate(const QString& parentArgument) {
    // Window ids are 32-bit patterns; hex ids above 0x7FFFFFFF come back negative.
    FParentWindow = static_cast<quint32>(StrToInt(parentArgument));
    CreateEngine();
    const TApplication* app = Application();
    if (app && app->Terminated())  // the settings file belongs to another program: ending anyway
        return;
    const THost& host = CurrentHost();
    if (!host.EmbedIn(this, FParentWindow))
        throw Exception(tr("There is no window %1 to show the preview in").arg(parentArgument));
    host.Follow(FParentWindow, this, {[this](QSize size) { ParentResized(size); }, [this] { ParentDestroyed(); }});
    // Any program may destroy a window it knows the id of; the preview's own going ends it too.
    host.Follow(winId(), this, {nullptr, [this] { ParentDestroyed(); }});
}

void TForm2::FormDestroy() { DestroyEngine(); }

void TForm2::ParentResized(QSize size) { resize(size); }

// The parent took our window with it, or our window alone was destroyed; leave the loop without
// trying to close a window that is gone (closing first was seen to keep the process alive).
void TForm2::ParentDestroyed() {
    if (TApplication* app = Application())
        app->Terminate();  // also gives up a frame that is taking in events
    else
        QCoreApplication::exit(0);
}

}  // namespace Tallwick
