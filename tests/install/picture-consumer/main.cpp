// A Qt program that links only Qt and reads pictures through QImageReader, as any program would.
//   picture-consumer formats               lists the formats Qt reads and writes, one a line
//   picture-consumer same FILE REFERENCE   reads FILE (format from its name or its content) and
//                                          compares its pixels with REFERENCE; status 0 if equal
//   picture-consumer write-pcx IN OUT      reads IN and writes it as PCX through QImageWriter
//   picture-consumer show FILE [ZOOM]      shows FILE in a window (a tiny picture viewer), drawn
//                                          ZOOM times its size where the format can (metafiles)
#include <QApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>

namespace {
QImage Read(const QString& path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        std::fprintf(stderr, "picture-consumer: %s: %s\n", qPrintable(path), qPrintable(reader.errorString()));
    else
        std::printf("%s: %s %d x %d\n", qPrintable(path), reader.format().constData(), image.width(), image.height());
    return image.convertToFormat(QImage::Format_RGB32);
}

int Formats() {
    for (const QByteArray& f : QImageReader::supportedImageFormats())
        std::printf("read %s\n", f.constData());
    for (const QByteArray& f : QImageWriter::supportedImageFormats())
        std::printf("write %s\n", f.constData());
    return 0;
}

int Same(const QString& file, const QString& reference) {
    const QImage a = Read(file), b = Read(reference);
    if (a.isNull() || b.isNull())
        return 1;
    if (a != b) {
        std::fprintf(stderr, "picture-consumer: %s and %s differ\n", qPrintable(file), qPrintable(reference));
        return 1;
    }
    return 0;
}

int WritePcx(const QString& in, const QString& out) {
    const QImage image = Read(in);
    QImageWriter writer(out, "pcx");
    if (image.isNull() || !writer.write(image)) {
        std::fprintf(stderr, "picture-consumer: cannot write %s: %s\n", qPrintable(out),
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}

int Show(const QString& file, int zoom) {
    QImageReader reader(file);
    if (zoom > 1 && reader.size().isValid())
        reader.setScaledSize(reader.size() * zoom);
    const QImage image = reader.read();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(image));
    layout->addWidget(picture);
    layout->addWidget(
        new QLabel(image.isNull() ? reader.errorString()
                                  : QStringLiteral("%1: %2, %3 x %4, through QImageReader")
                                        .arg(file.section(QLatin1Char('/'), -1), QString::fromLatin1(reader.format()))
                                        .arg(image.width())
                                        .arg(image.height())));
    window.setWindowTitle(file.section(QLatin1Char('/'), -1));
    window.show();
    return QApplication::exec();
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 2 && a[1] == QLatin1String("formats"))
        return Formats();
    if (a.size() == 4 && a[1] == QLatin1String("same"))
        return Same(a[2], a[3]);
    if (a.size() == 4 && a[1] == QLatin1String("write-pcx"))
        return WritePcx(a[2], a[3]);
    if ((a.size() == 3 || a.size() == 4) && a[1] == QLatin1String("show"))
        return Show(a[2], a.size() == 4 ? a[3].toInt() : 1);
    std::fprintf(stderr,
                 "usage: picture-consumer formats | same FILE REFERENCE | write-pcx IN OUT | show FILE [ZOOM]\n");
    return 2;
}
