// The window of tallwick-plot: a toolbar of modes and a plotting canvas of many points.
#include "PlotWindow.h"

#include <Tallwick/Canvas.h>
#include <Tallwick/GdiCalls.h>
#include "FlowLayout.h"
#include <Tallwick/Vexutils.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstdint>

namespace Tallwick {

namespace {
constexpr double kXMin = 0, kXMax = 20, kYMin = -5, kYMax = 5;
constexpr int kMeshColumns = 24, kMeshRows = 10;
constexpr int kSignalPoints = 1000000;

double Wave(double x) { return 4 * std::sin(x) * std::exp(-x / 10); }
double Height(double x, double y) { return std::sin(x / 3) * std::cos(y / 2); }
// Deep blue through teal to sand, by height in -1..1.
TColor HeightColor(double h) {
    const int step = int((h + 1) * 50);
    return step < 50 ? BlendColor(RGB(20, 30, 90), RGB(30, 130, 130), step, 50)
                     : BlendColor(RGB(30, 130, 130), RGB(200, 180, 110), step - 50, 50);
}
}  // namespace

TPlotWindow::TPlotWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Tallwick plot"));
    FPlot = new TCanvas2D(this);
    FPlot->SetAxisXMin(kXMin);
    FPlot->SetAxisXMax(kXMax);
    FPlot->SetAxisYMin(kYMin);
    FPlot->SetAxisYMax(kYMax);
    FPlot->SetZoomAllXMin(kXMin);
    FPlot->SetZoomAllXMax(kXMax);
    FPlot->SetZoomAllYMin(kYMin);
    FPlot->SetZoomAllYMax(kYMax);
    FPlot->SetZoomSteps(10);
    FPlot->SetFormat(QStringLiteral("0.0#"));
    FPlot->OnDraw = [this](QObject*) { FDataSet == 0 ? DrawScene() : DrawSignal(); };
    FPlot->OnMouseMove = [this](QObject*, TShiftState, int X, int Y) { ShowPosition(X, Y); };

    FModes = new QButtonGroup(this);
    auto* tools = new TFlowLayout;
    tools->addWidget(AddModeButton(QStringLiteral("Off (Esc)"), QStringLiteral("Esc"), TCanvas2D::zmNone));
    tools->addWidget(AddModeButton(QStringLiteral("Zoom in (+)"), QStringLiteral("+"), TCanvas2D::zmZoomIn));
    tools->addWidget(AddModeButton(QStringLiteral("Zoom out (-)"), QStringLiteral("-"), TCanvas2D::zmZoomOut));
    tools->addWidget(AddModeButton(QStringLiteral("Pan (P)"), QStringLiteral("P"), TCanvas2D::zmPan));
    auto* all = new QPushButton(QStringLiteral("Show all (A)"), this);
    all->setFocusPolicy(Qt::NoFocus);
    connect(all, &QPushButton::clicked, FPlot, &TCanvas2D::ZoomAll);
    connect(new QShortcut(QKeySequence(QStringLiteral("A")), this), &QShortcut::activated, FPlot, &TCanvas2D::ZoomAll);
    tools->addWidget(all);
    FModes->button(TCanvas2D::zmNone)->setChecked(true);
    connect(FPlot, &TCanvas2D::ZoomModeChanged, this, [this] { FModes->button(FPlot->ZoomMode())->setChecked(true); });

    FStatus =
        new QLabel(QStringLiteral("Wheel: zoom at the pointer. Right button: leave the mode, or stop a zoom."), this);
    FStatus->setWordWrap(true);
    FDrawTime = new QLabel(this);
    connect(FPlot, &TCanvas2D::drawRequested, this,
            [this] { QTimer::singleShot(0, this, [this] { ShowDrawTime(); }); });
    auto* status = new QHBoxLayout;
    status->addWidget(FStatus, 1);
    status->addWidget(FDrawTime);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(HistoryTools());
    layout->addWidget(FPlot, 1);
    layout->addLayout(status);
    resize(760, 580);
    FPlot->setFocus();
}

// Back and Forward through the views seen, the animation's steps and the data set.
QWidget* TPlotWindow::HistoryTools() {
    auto* box = new QWidget(this);
    auto* tools = new TFlowLayout(box);
    FBack = new QPushButton(QStringLiteral("Back"), box);
    FBack->setToolTip(QStringLiteral("The view before (Alt+Left, the mouse's back button)"));
    FForward = new QPushButton(QStringLiteral("Forward"), box);
    FForward->setToolTip(QStringLiteral("The view after (Alt+Right, the mouse's forward button)"));
    for (QPushButton* button : {FBack, FForward}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(false);
        tools->addWidget(button);
    }
    connect(FBack, &QPushButton::clicked, FPlot, &TCanvas2D::ZoomBack);
    connect(FForward, &QPushButton::clicked, FPlot, &TCanvas2D::ZoomForward);
    connect(FPlot, &TCanvas2D::ZoomHistoryChanged, this, [this] {
        FBack->setEnabled(FPlot->CanZoomBack());
        FForward->setEnabled(FPlot->CanZoomForward());
    });
    // More steps make the animation slow enough to stop it with the right button.
    auto* steps = new QSpinBox(box);
    steps->setRange(1, 500);
    steps->setPrefix(QStringLiteral("Steps: "));
    steps->setValue(FPlot->ZoomSteps());
    steps->setFocusPolicy(Qt::ClickFocus);
    connect(steps, &QSpinBox::valueChanged, FPlot, &TCanvas2D::SetZoomSteps);
    tools->addWidget(steps);
    auto* dataSets = new QComboBox(box);
    dataSets->addItem(QStringLiteral("Wave over a mesh"));
    dataSets->addItem(QStringLiteral("A million points"));
    dataSets->setFocusPolicy(Qt::NoFocus);
    connect(dataSets, &QComboBox::currentIndexChanged, this, &TPlotWindow::ShowDataSet);
    tools->addWidget(dataSets);
    return box;
}

void TPlotWindow::ShowDataSet(int index) {
    if (index == FDataSet || index < 0 || index > 1)
        return;
    FDataSet = index;
    if (index == 1 && FSignalX.empty()) {
        // A damped wave with a fast ripple and noise: far more points than pixel columns.
        FSignalX.resize(kSignalPoints);
        FSignalY.resize(kSignalPoints);
        std::uint32_t noise = 2463534242u;
        for (int i = 0; i < kSignalPoints; ++i) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const double x = kXMin + (kXMax - kXMin) * i / (kSignalPoints - 1);
            FSignalX[i] = x;
            FSignalY[i] = Wave(x) + 0.5 * std::sin(40 * x) * std::cos(3 * x) + (noise / 4294967296.0 - 0.5) * 0.8;
        }
    }
    FPlot->Draw();
}

QAbstractButton* TPlotWindow::AddModeButton(const QString& text, const QString& key, int mode) {
    auto* button = new QPushButton(text, this);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    FModes->addButton(button, mode);
    connect(button, &QPushButton::clicked, FPlot, [this, mode] { FPlot->ZoomModeSet(mode); });
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, FPlot,
            [this, mode] { FPlot->ZoomModeSet(mode); });
    return button;
}

// The mesh first, each triangle in the colour of its centre's height; then the wave on top, with
// a dot at every whole x.
void TPlotWindow::DrawScene() {
    TCanvas* canvas = FPlot->ImageCanvas();
    const double dx = (kXMax - kXMin) / kMeshColumns, dy = (kYMax - kYMin) / kMeshRows;
    for (int i = 0; i < kMeshColumns; ++i)
        for (int j = 0; j < kMeshRows; ++j) {
            const double x0 = kXMin + i * dx, y0 = kYMin + j * dy, x1 = x0 + dx, y1 = y0 + dy;
            canvas->Pen.Color = canvas->Brush.Color = HeightColor(Height(x0 + dx / 3, y0 + 2 * dy / 3));
            FPlot->Triangle(x0, y0, x0, y1, x1, y1);
            canvas->Pen.Color = canvas->Brush.Color = HeightColor(Height(x0 + 2 * dx / 3, y0 + dy / 3));
            FPlot->Triangle(x0, y0, x1, y1, x1, y0);
        }
    canvas->Pen.Color = clYellow;
    canvas->Pen.Width = 2;
    const int samples = 2000;
    for (int i = 0; i < samples; ++i) {
        const double xa = kXMin + (kXMax - kXMin) * i / samples, xb = kXMin + (kXMax - kXMin) * (i + 1) / samples;
        FPlot->Line(xa, Wave(xa), xb, Wave(xb));
    }
    canvas->Pen.Width = 1;
    canvas->Pen.Color = clWhite;
    canvas->Brush.Color = clRed;
    for (int x = int(kXMin); x <= int(kXMax); ++x)
        FPlot->Point(x, Wave(x), 3);
    canvas->Font.SetColor(clWhite);
    SetTextAlign(canvas->Handle(), TA_LEFT | TA_BOTTOM);
    FPlot->TextOutA(M_PI / 2, Wave(M_PI / 2), 6, -4, QStringLiteral("4 sin x e^(-x/10)"));
    SetTextAlign(canvas->Handle(), TA_LEFT | TA_TOP);
}

void TPlotWindow::DrawSignal() {
    FPlot->ImageCanvas()->Pen.Color = clYellow;
    FPlot->Polyline(FSignalX.data(), FSignalY.data(), int(FSignalX.size()));
}

void TPlotWindow::ShowDrawTime() {
    FDrawTime->setText(QStringLiteral("Last redraw: %1 ms").arg(FPlot->LastDrawTime(), 0, 'f', 1));
}

void TPlotWindow::ShowPosition(int X, int Y) {
    if (!FPlot->Inside(X, Y))
        return;
    FStatus->setText(QStringLiteral("x = %1   y = %2").arg(FPlot->ScrToValXS(X), FPlot->ScrToValYS(Y)));
}

}  // namespace Tallwick
