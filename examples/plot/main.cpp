// tallwick-plot: try the plotting canvas. Modes from the buttons or keys: + zoom in (the rectangle
// follows the pointer; click to zoom), - zoom out (click), P pan (drag), A show all, Esc off.
// The right button leaves the mode, or stops a zoom while it runs.
#include "PlotWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tallwick::TPlotWindow window;
    window.show();
    return app.exec();
}
