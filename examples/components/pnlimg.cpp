// A TPnlImg example: a bevelled panel holding an image surface, with scroll bars that move the
// drawing inside it.
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Tveximage.h>

#include <QApplication>
#include <QScrollBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tallwick::TPnlImg panel;
    panel.setWindowTitle(QStringLiteral("TPnlImg example"));
    panel.resize(220, 220);
    panel.SetScrollBars(true);

    // The panel's image is drawn again whenever a bar moves, shifted by the bars' values.
    const auto paint = [&panel] {
        Tallwick::TVexImage* image = panel.Image();
        const int dx = panel.ScrollBarH() ? panel.ScrollBarH()->value() : 0;
        const int dy = panel.ScrollBarV() ? panel.ScrollBarV()->value() : 0;
        image->Fill(Tallwick::clTeal);
        image->Ball3D(20 - dx, 20 - dy, 160 - dx, 160 - dy, Tallwick::clNavy, Tallwick::clAqua, false);
    };
    panel.OnScrollBarHChange = [paint](QObject*) { paint(); };
    panel.OnScrollBarVChange = [paint](QObject*) { paint(); };
    QObject::connect(&panel, &Tallwick::TPnlImg::resized, &panel, paint);
    paint();

    panel.show();
    return app.exec();
}
