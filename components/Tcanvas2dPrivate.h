#pragma once
// Internal, never installed: the state of a TCanvas2D, shared by the source files that implement it.
#include "Tcanvas2d.h"

#include "AxisLabels.h"

#include <QSize>
#include <memory>
#include <vector>

namespace Tallwick {

class TCanvas2D::Private {
public:
    bool FBusy = false;
    int FPanX0 = 0, FPanY0 = 0;
    int FPanX1 = 0, FPanY1 = 0;
    bool FPanning = false;
    int FZoomMode = 0;
    int FZoomX = 0, FZoomY = 0;
    bool FAbort = false;
    TColor FAxisColor = clWhite;
    TFont FAxisFont;
    bool FAxisShow = true;
    int FAxisXMargin = 50;
    bool FAxisXMarginAuto = true;
    int FAxisXMarks = 9;
    double FAxisXMax = 10;
    double FAxisXMin = 0;
    int FAxisYMargin = 30;
    bool FAxisYMarginAuto = true;
    int FAxisYMarks = 9;
    double FAxisYMax = 10;
    double FAxisYMin = 0;
    TColor FColorExt = clBlack;
    TColor FColorInt = clNavy;
    QString FFormat;
    double FZoomAllXMax = 10;
    double FZoomAllXMin = 0;
    double FZoomAllYMax = 10;
    double FZoomAllYMin = 0;
    double FZoomFactor = 0.5;
    int FZoomSteps = 5;
    TVexImage* FImage = nullptr;
    TCanvas* FImageCanvas = nullptr;
    bool FOutOfRange = false;
    double FLastDrawTime = 0;
    std::unique_ptr<TAxisLabels> FLabels;  ///< texts, sizes and pixels of the tick labels
    int FMarginHold = 0;                   ///< > 0: a margin setter announces the net change itself
    QSize FKnownHint;                      ///< the size hint the layout was last told of
    /// The running animation: where it heads, and whether a wheel turn gave it a new target.
    TBox FAnimTarget{};
    bool FRetarget = false;
    TAnchor FAnchor;
    /// A walk through the history under way, and the place it goes to.
    bool FWalking = false;
    int FWalkDestination = 0;
    std::vector<TBox> FHistory;
    int FHistoryIndex = -1;
};

}  // namespace Tallwick
