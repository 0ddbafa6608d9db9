// A TVexProgress example: a gradient progress bar filling up on a timer, and one in timer mode
// whose two gradients sweep back and forth.
#include <Tallwick/Tvexprogress.h>

#include <QApplication>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("TVexProgress example"));
    auto* layout = new QVBoxLayout(&window);

    auto* filling = new Tallwick::TVexProgress(&window);
    filling->setMinimumSize(240, 20);
    filling->SetColor1(Tallwick::clNavy);
    filling->SetColor2(Tallwick::clAqua);
    auto* sweeping = new Tallwick::TVexProgress(&window);
    sweeping->setMinimumSize(240, 20);
    sweeping->SetIsTimer(true);
    layout->addWidget(filling);
    layout->addWidget(sweeping);

    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, filling, [filling, sweeping] {
        filling->SetPosition(filling->Position() >= filling->Max() ? filling->Min() : filling->Position() + 1);
        sweeping->StepIt();
    });
    ticks.start(50);

    window.show();
    return app.exec();
}
