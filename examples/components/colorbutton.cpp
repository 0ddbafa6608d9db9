// A TColorButton example: a colour swatch that opens the colour chooser when clicked; the label
// beside it follows the chosen colour through the changed() signal.
#include <Tallwick/Tcolorbutton.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("TColorButton example"));
    auto* layout = new QHBoxLayout(&window);

    auto* button = new Tallwick::TColorButton(&window);
    button->SetColorQColor(QColor(0, 128, 255));
    button->setMinimumSize(64, 24);
    auto* label = new QLabel(&window);
    const auto showColor = [button, label] { label->setText(button->ColorQColor().name()); };
    QObject::connect(button, &Tallwick::TColorButton::changed, label, showColor);
    showColor();
    layout->addWidget(button);
    layout->addWidget(label);

    window.show();
    return app.exec();
}
