#pragma once
// What the saver window and the preview window share: the drawing surface aligned to the whole
// client area (Image1), the hidden full-size logo (VexImage1), the 1 ms frame timer and the engine.
#include "CommandLine.h"

#include <Tallwick/Timer.h>
#include "Tstars.h"
#include <Tallwick/Tveximage.h>

#include <QWidget>
#include <memory>

namespace Tallwick {

class TSaverForm : public QWidget {
    Q_OBJECT
public:
    ~TSaverForm() override;

    TVexImage* Image1;
    TVexImage* VexImage1;
    TTimer* Timer1;
    TStars* Engine() const { return FEngine.get(); }

protected:
    // Titled "Skyglow II"; the hidden logo at `logoPos`.
    TSaverForm(QPoint logoPos, const TSettingsOverrides& overrides);
    // Creates the engine on the form's surfaces, loads the settings (unless the overrides say the
    // defaults alone) and applies the overrides.
    void CreateEngine();
    void DestroyEngine();

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormResize();
    void FollowPixelRatio();
    void FormShow();
    void Timer1Timer();
    void DrawFrame();
    void ShowBackground() noexcept;
    void EndFrame();
    bool FrameInterrupted();

    std::unique_ptr<TStars> FEngine;
    TSettingsOverrides FOverrides;
    bool FInFrame = false;        // DrawFrame is running (and may be taking in events)
    bool FResizePending = false;  // a resize came meanwhile and waits for the frame's end
};

}  // namespace Tallwick
