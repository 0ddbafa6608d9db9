// A TVexImage example: an image surface drawn on with its own calls (a 3-D ball, bevels, inverted
// and rotated text), then a picture file loaded into a second one and turned by 30 degrees.
#include <Tallwick/Canvas.h>
#include <Tallwick/Exception.h>
#include <Tallwick/Tveximage.h>

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("TVexImage example"));
    auto* layout = new QHBoxLayout(&window);

    auto* image = new Tallwick::TVexImage(&window);
    image->SetHeightWidth(150, 200);  // the bitmap's size; the surface takes it
    image->Fill(Tallwick::clNavy);
    image->Ball3D(10, 10, 80, 80, Tallwick::clMaroon, Tallwick::clYellow, true);
    image->Rect3D(95, 10, 190, 50, Tallwick::clSilver, 3, true);
    image->Canvas()->Font.SetColor(Tallwick::clWhite);
    image->Canvas()->Brush.Style = Tallwick::bsClear;
    image->TextOutInv(108, 22, QStringLiteral("Inverted"));
    image->TextOutRot(150, 140, 30, QStringLiteral("Rotated"));
    image->setMinimumSize(image->Width(), image->Height());
    layout->addWidget(image);

    // Picture files go through the same surface: BMP, JPEG, TIFF, GIF, PCX, WMF and EMF.
    auto* turned = new Tallwick::TVexImage(&window);
    const QString file = QDir::temp().filePath(QStringLiteral("tallwick-example.bmp"));
    try {
        image->SaveToFile(file);
        turned->LoadFromFile(file);
        turned->Rotate(30);
        turned->SetHeightWidth(turned->Picture()->Height(), turned->Picture()->Width());
        turned->setMinimumSize(turned->Width(), turned->Height());
    } catch (const Tallwick::Exception& error) {  // every failure is an exception with a message
        qWarning("%s", qPrintable(error.Message));
    }
    QFile::remove(file);
    layout->addWidget(turned);

    window.show();
    return app.exec();
}
