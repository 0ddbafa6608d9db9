#include "SaverForm.h"

#include "LogoPicture.h"
#include "SettingsReport.h"
#include "X11Glue.h"

#include <QShowEvent>

namespace Tallwick {

TSaverForm::TSaverForm(const QString& caption, QPoint logoPos) : QWidget(nullptr) {
    setWindowTitle(caption);
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
    FEngine->LoadSettings();
    ReportSettingsProblem(*FEngine, false);
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

void TSaverForm::FormResize() {
    if (FEngine)
        FEngine->ResizeSurface();
}

// The program has no taskbar window of its own to hide here; keeping this window out of the
// taskbar is the equivalent.
void TSaverForm::FormShow() { HideFromTaskbar(this); }

// A frame that fails (no memory for the stars, say) would fail again on every tick: stop the
// ticks, then let the error reach the error box once.
void TSaverForm::Timer1Timer() {
    if (!FEngine)
        return;
    try {
        FEngine->DrawFrame();
    } catch (...) {
        Timer1->SetEnabled(false);
        throw;
    }
}

}  // namespace Tallwick
