// tallwick-gallery: every component of the library live in one window.
#include "GalleryWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Tallwick::TGalleryWindow window;
    window.show();
    return app.exec();
}
