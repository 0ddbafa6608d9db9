// What the saver window and the preview window share.
#include "SaverForm.h"

#include "LogoPicture.h"
#include "SettingsReport.h"
#include "HostChoice.h"

#include <Tallwick/Application.h>

#include <QCoreApplication>
#include <QShowEvent>

namespace Tallwick {

namespace {
bool gFrameRunning = false;  // some saver window is drawing a frame
}

namespace {
// What compositors, window lists and task switchers show for the saver and the preview.
const char* const kWindowTitle = "Skyglow II";
}  // namespace

TSaverForm::TSaverForm(QPoint logoPos, const TSettingsOverrides& overrides) : QWidget(nullptr), FOverrides(overrides) {
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);
    Image1 = new TVexImage(this);
    Image1->SetAlign(alClient);
    VexImage1 = new TVexImage(this);
    VexImage1->move(logoPos);
    VexImage1->SetVisible(false);
    VexImage1->SetAutoSize(true);
    LoadLogo(VexImage1);
    Timer1 = new TTimer(this);
    Timer1->SetInterval(1);
    Timer1->OnTimer = [this](QObject*) { Timer1Timer(); };
}

TSaverForm::~TSaverForm() = default;

void TSaverForm::CreateEngine() {
    FEngine = std::make_unique<TStars>();
    FEngine->Surface = Image1;
    FEngine->LogoSource = VexImage1;
    FEngine->Interrupted = [this] { return FrameInterrupted(); };
    if (!FOverrides.DefaultsOnly) {
        FEngine->LoadSettings();
        ReportSettingsProblem(*FEngine, false);
    }
    FOverrides.ApplyTo(*FEngine);
}

void TSaverForm::DestroyEngine() { FEngine.reset(); }

void TSaverForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);  // Image1 has already followed through its alignment
    FormResize();
}

void TSaverForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// The bitmap a frame is drawing into must not change under it: a resize that arrives while a long
// frame takes in events is carried out when the frame is done.
void TSaverForm::FormResize() {
    if (FInFrame) {
        FResizePending = true;
        return;
    }
    FollowPixelRatio();
    if (FEngine)
        FEngine->ResizeSurface();
}

// The surface draws at the window's device pixels. The ratio can change without a resize (the
// window moved to a screen of another density, or the compositor told the scale only after the
// window appeared), so every frame looks again.
void TSaverForm::FollowPixelRatio() { Image1->TImage::SetPixelRatio(devicePixelRatio()); }

// The program has no taskbar window of its own to hide here; keeping this window out of the
// taskbar is the equivalent.
void TSaverForm::FormShow() { CurrentHost().HideFromTaskbar(this); }

// A frame that fails (no memory for the stars, say) would fail again on every tick: stop the
// ticks, show the background colour where the frame would have been, then let the error reach the
// error box once. A tick that comes while a long frame (of this window or another) takes in events
// is skipped: a frame nested in another would hold that one up until it starved.
void TSaverForm::Timer1Timer() {
    if (!FEngine || gFrameRunning)
        return;
    if (Image1->PixelRatio() != devicePixelRatio())
        FormResize();
    try {
        DrawFrame();
    } catch (...) {
        Timer1->SetEnabled(false);
        ShowBackground();
        throw;
    }
}

// The window stays until the user shows up, as always; without a frame it would show whatever the
// screen held (white under most X servers). A second failure here must not hide the first one.
void TSaverForm::ShowBackground() noexcept {
    try {
        Image1->Resize();
        Image1->Fill(FEngine->BackColor);
    } catch (...) {
    }
}

void TSaverForm::DrawFrame() {
    FInFrame = true;
    gFrameRunning = true;
    try {
        FEngine->DrawFrame();
    } catch (...) {
        EndFrame();
        throw;
    }
    EndFrame();
    if (FResizePending) {
        FResizePending = false;
        FormResize();
    }
}

void TSaverForm::EndFrame() {
    FInFrame = false;
    gFrameRunning = false;
    if (!Image1->updatesEnabled())
        Image1->setUpdatesEnabled(true);  // shows the finished frame
}

// A frame of millions of stars takes seconds: between slices of it the window takes in what the
// user does, and gives the frame up once the window closes or the program is ending. The surface
// shows no half-drawn frame meanwhile.
bool TSaverForm::FrameInterrupted() {
    if (Image1->updatesEnabled())
        Image1->setUpdatesEnabled(false);
    QCoreApplication::processEvents();
    const TApplication* app = Application();
    return !isVisible() || (app && app->Terminated());
}

}  // namespace Tallwick
