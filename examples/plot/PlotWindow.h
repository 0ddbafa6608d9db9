#pragma once
// The window of tallwick-plot: a toolbar of modes (off, zoom in, zoom out, pan) and "Show all"; a
// second one with Back and Forward through the views seen, the number of animation steps and the
// data set (a damped wave over a coloured triangle mesh, or a noisy signal of a million points);
// the plotting canvas; and a status line with the world position under the pointer and the time
// the last redraw took.
#include <Tallwick/Tcanvas2d.h>

#include <QWidget>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;

namespace Tallwick {

class TPlotWindow : public QWidget {
    Q_OBJECT
public:
    explicit TPlotWindow(QWidget* parent = nullptr);

    TCanvas2D* Plot() const { return FPlot; }
    // 0: the wave over the mesh; 1: a million points.
    void ShowDataSet(int index);

private:
    QAbstractButton* AddModeButton(const QString& text, const QString& key, int mode);
    QWidget* HistoryTools();
    void DrawScene();
    void DrawSignal();
    void ShowPosition(int X, int Y);
    void ShowDrawTime();

    TCanvas2D* FPlot;
    QButtonGroup* FModes;
    QPushButton* FBack;
    QPushButton* FForward;
    QLabel* FStatus;
    QLabel* FDrawTime;
    int FDataSet = 0;
    std::vector<double> FSignalX, FSignalY;
};

}  // namespace Tallwick
