// A TCanvas2D example: a sine wave in world coordinates with axes and tick labels. The wheel
// zooms about the pointer, the mouse's back and forward buttons (or Alt+Left and Alt+Right) walk
// through the views, and the buttons choose what a click does.
#include <Tallwick/Canvas.h>
#include <Tallwick/Tcanvas2d.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("TCanvas2D example"));
    auto* layout = new QVBoxLayout(&window);

    auto* plot = new Tallwick::TCanvas2D(&window);
    plot->setMinimumSize(400, 300);
    plot->SetZoomAllXMin(0);
    plot->SetZoomAllXMax(10);
    plot->SetZoomAllYMin(-1.5);
    plot->SetZoomAllYMax(1.5);
    plot->ZoomAll();
    // Drawn again after every zoom and pan: pen and brush first, then the world calls.
    QObject::connect(plot, &Tallwick::TCanvas2D::drawRequested, plot, [plot] {
        plot->ImageCanvas()->Pen.Color = Tallwick::clYellow;
        for (int i = 0; i < 200; ++i)
            plot->Line(i * 0.05, std::sin(i * 0.05), (i + 1) * 0.05, std::sin((i + 1) * 0.05));
    });
    layout->addWidget(plot);

    auto* buttons = new QHBoxLayout;
    const auto addMode = [&](const QString& text, Tallwick::TCanvas2D::TZoomMode mode) {
        auto* button = new QPushButton(text, &window);
        QObject::connect(button, &QPushButton::clicked, plot, [plot, mode] { plot->ZoomModeSet(mode); });
        buttons->addWidget(button);
    };
    addMode(QStringLiteral("Zoom in"), Tallwick::TCanvas2D::zmZoomIn);
    addMode(QStringLiteral("Zoom out"), Tallwick::TCanvas2D::zmZoomOut);
    addMode(QStringLiteral("Pan"), Tallwick::TCanvas2D::zmPan);
    auto* all = new QPushButton(QStringLiteral("Show all"), &window);
    QObject::connect(all, &QPushButton::clicked, plot, [plot] { plot->ZoomAll(); });
    buttons->addWidget(all);
    layout->addLayout(buttons);

    window.show();
    return app.exec();
}
