#pragma once
// The window of tallwick-plot: a toolbar of modes (off, zoom in, zoom out, pan), "Show all" and the
// number of animation steps,
// a plotting canvas with a damped wave over a coloured triangle mesh, and a status line with the
// world position under the pointer.
#include <Tallwick/Tcanvas2d.h>

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QLabel;

namespace Tallwick {

class TPlotWindow : public QWidget {
    Q_OBJECT
public:
    explicit TPlotWindow(QWidget* parent = nullptr);

    TCanvas2D* Plot() const { return FPlot; }

private:
    QAbstractButton* AddModeButton(const QString& text, const QString& key, int mode);
    void DrawScene();
    void ShowPosition(int X, int Y);

    TCanvas2D* FPlot;
    QButtonGroup* FModes;
    QLabel* FStatus;
};

}  // namespace Tallwick
