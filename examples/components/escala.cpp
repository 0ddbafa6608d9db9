// A TEscala example: two colour scales over 0..100, one graded in two colours and one in three,
// and the colour the first gives the value 25.
#include <Tallwick/Tescala.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("TEscala example"));
    auto* layout = new QHBoxLayout(&window);

    Tallwick::TEscala* first = nullptr;
    for (auto graduation : {Tallwick::TEscala::egTwo, Tallwick::TEscala::egThree}) {
        auto* scale = new Tallwick::TEscala(&window);
        scale->SetMaxMin(100, 0);
        scale->SetGraduation(graduation);
        scale->SetGradColor1(Tallwick::clBlue);
        scale->SetGradColor2(Tallwick::clRed);
        scale->setMinimumSize(scale->size());  // the scale sizes itself to its labels
        layout->addWidget(scale);
        first = first ? first : scale;
    }
    const QColor at25 = Tallwick::ColorToQColor(first->ValueToColor(25));
    layout->addWidget(new QLabel(QStringLiteral("25 is %1").arg(at25.name()), &window));

    window.show();
    return app.exec();
}
