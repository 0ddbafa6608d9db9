// Draws with an image surface and a colour button from the installed library and checks the pixels.
#include <Tallwick/Canvas.h>
#include <Tallwick/Tcolorbutton.h>
#include <Tallwick/Tveximage.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tallwick::TVexImage image;
    image.SetHeightWidth(40, 60);
    image.Fill(Tallwick::clNavy);
    image.Canvas()->Pen.Color = Tallwick::clYellow;
    image.Canvas()->MoveTo(0, 10);
    image.Canvas()->LineTo(60, 10);
    Tallwick::TColorButton button;
    button.SetColor(Tallwick::clLime);
    const QImage face = button.grab().toImage();
    const bool ok = image.Canvas()->Pixel(5, 10) == Tallwick::clYellow &&
                    image.Canvas()->Pixel(5, 20) == Tallwick::clNavy && button.size() == QSize(64, 24) &&
                    face.pixelColor(30, 12) == QColor(0, 255, 0);
    std::printf("%s\n", ok ? "consumer: drawn as expected" : "consumer: wrong pixels");
    return ok ? 0 : 1;
}
