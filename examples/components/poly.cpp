// A TPoly example: a regular hexagon with a point walking along its contour, drawn after the
// polygon each time a timer moves it.
#include <Tallwick/Canvas.h>
#include <Tallwick/EventGuard.h>
#include <Tallwick/Tpoly.h>
#include <Tallwick/Tveximage.h>

#include <QApplication>
#include <QTimer>
#include <cmath>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tallwick::TPoly poly;
    poly.setWindowTitle(QStringLiteral("TPoly example"));
    poly.resize(200, 200);
    poly.SetCount(6);

    double fraction = 0;  // of the contour, from the first corner
    QTimer walk;
    QObject::connect(&walk, &QTimer::timeout, &poly, [&] {
        // An error in the component's drawing becomes a warning instead of ending the program.
        Tallwick::GuardEvent(&poly, [&] {
            fraction = std::fmod(fraction + 0.005, 1.0);
            poly.Draw();
            const Tallwick::TPoint p = poly.ContPoint(fraction, poly.ValueXc(), poly.ValueYc(), poly.ValueR());
            Tallwick::TCanvas* canvas = poly.Image()->Canvas();
            canvas->Brush.Color = Tallwick::clRed;
            canvas->Brush.Style = Tallwick::bsSolid;
            poly.Image()->Ellipse(p.x, p.y, 5);
        });
    });
    walk.start(40);

    poly.show();
    return app.exec();
}
