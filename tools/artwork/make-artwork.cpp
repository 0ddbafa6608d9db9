// make-artwork: draws the pictures the saver carries as resources and writes them as BMP files.
//
//   make-artwork <output-dir>      (normally app/resources)
//
// The pictures are generated rather than hand-edited so that they can be redrawn at will and
// reviewed as code. Output is deterministic: the stars come from a fixed-seed generator.
//
// logo.bmp        600 x 450, 24 bpp   night sky, star burst, orbit ring, title "Skyglow II"
// flag-*.bmp       27 x 16,  24 bpp   bottom-left pixel pure black: it is the glyph's transparent colour
// bulb.bmp         32 x 16,   4 bpp   lit bulb | greyed bulb; olive background is the transparent colour

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

namespace {

// ---------------------------------------------------------------------------------------------
// Logo
// ---------------------------------------------------------------------------------------------

const QSize kLogoSize(600, 450);
const QPointF kBurstCentre(300, 158);
const int kHorizonY = 300;

void paintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kLogoSize.height());
    sky.setColorAt(0.00, QColor(2, 3, 12));
    sky.setColorAt(0.45, QColor(8, 18, 52));
    sky.setColorAt(0.66, QColor(28, 38, 96));
    sky.setColorAt(0.70, QColor(70, 52, 110));  // the glow of distant towns just above the hills
    sky.setColorAt(1.00, QColor(20, 16, 40));
    p.fillRect(QRect(QPoint(0, 0), kLogoSize), sky);
}

// Soft coloured clouds; additive so they brighten the sky without hiding it.
void paintNebula(QPainter& p) {
    struct Cloud {
        QPointF centre;
        qreal radius;
        QColor colour;
    };
    const Cloud clouds[] = {
        {{150, 110}, 190, QColor(90, 40, 140, 70)},
        {{470, 90}, 170, QColor(20, 90, 150, 70)},
        {{300, 158}, 260, QColor(40, 70, 170, 90)},
    };
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (const Cloud& c : clouds) {
        QRadialGradient g(c.centre, c.radius);
        g.setColorAt(0, c.colour);
        g.setColorAt(1, Qt::transparent);
        p.fillRect(QRect(QPoint(0, 0), kLogoSize), g);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void paintGlowDot(QPainter& p, QPointF at, qreal radius, QColor colour) {
    QRadialGradient g(at, radius);
    g.setColorAt(0.0, colour);
    g.setColorAt(0.45, QColor(colour.red(), colour.green(), colour.blue(), colour.alpha() * 2 / 3));
    g.setColorAt(1.0, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, radius, radius);
}

// A tapered ray from the centre outward, bright at its root and fading to nothing at its tip.
void paintSpike(QPainter& p, QPointF centre, qreal angleDeg, qreal length, qreal halfWidth, QColor colour) {
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);
    QPainterPath ray;
    ray.moveTo(0, -halfWidth);
    ray.quadTo(length * 0.25, -halfWidth * 0.35, length, 0);
    ray.quadTo(length * 0.25, halfWidth * 0.35, 0, halfWidth);
    ray.closeSubpath();
    QLinearGradient fade(0, 0, length, 0);
    fade.setColorAt(0, colour);
    fade.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawPath(ray);
    p.restore();
}

void paintSparkle(QPainter& p, QPointF at, qreal size, QColor colour) {
    for (int k = 0; k < 4; ++k)
        paintSpike(p, at, 90.0 * k, size, size * 0.12, colour);
    paintGlowDot(p, at, size * 0.35, colour);
}

// Scattered stars, denser towards the top; a few of them sparkle.
void paintStars(QPainter& p) {
    std::mt19937 random(19970705);
    auto uniform = [&random](qreal lo, qreal hi) { return lo + (hi - lo) * (random() / 4294967296.0); };
    const QColor tints[] = {QColor(255, 255, 255), QColor(200, 220, 255), QColor(255, 240, 200), QColor(180, 200, 255)};
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (int i = 0; i < 320; ++i) {
        const QPointF at(uniform(0, kLogoSize.width()), std::pow(uniform(0, 1), 1.4) * (kHorizonY - 20));
        QColor c = tints[random() % 4];
        c.setAlpha(int(uniform(90, 255)));
        paintGlowDot(p, at, uniform(1.0, 2.6), c);
    }
    for (int i = 0; i < 16; ++i) {
        const QPointF at(uniform(20, kLogoSize.width() - 20), uniform(15, kHorizonY - 40));
        if (QLineF(at, kBurstCentre).length() < 110)
            continue;
        paintSparkle(p, at, uniform(7, 15), tints[random() % 4]);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// A tilted orbit around the burst, drawn as a few strokes of falling width for a soft glow.
void paintRing(QPainter& p) {
    p.save();
    p.translate(kBurstCentre);
    p.rotate(-14);
    p.setBrush(Qt::NoBrush);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const struct {
        qreal width;
        int alpha;
    } strokes[] = {{16, 22}, {8, 45}, {4, 90}, {2, 160}};
    for (const auto& s : strokes) {
        p.setPen(QPen(QColor(120, 180, 255, s.alpha), s.width));
        p.drawEllipse(QPointF(0, 0), 205, 62);
    }
    p.restore();
}

void paintBurst(QPainter& p) {
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    QRadialGradient halo(kBurstCentre, 150);
    halo.setColorAt(0.00, QColor(255, 250, 235, 255));
    halo.setColorAt(0.10, QColor(210, 225, 255, 200));
    halo.setColorAt(0.35, QColor(90, 120, 230, 90));
    halo.setColorAt(1.00, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(kBurstCentre, 150, 150);
    for (int k = 0; k < 4; ++k) {
        paintSpike(p, kBurstCentre, 90.0 * k, 150, 9, QColor(230, 240, 255, 255));
        paintSpike(p, kBurstCentre, 45.0 + 90.0 * k, 80, 6, QColor(190, 210, 255, 200));
    }
    paintGlowDot(p, kBurstCentre, 22, QColor(255, 255, 250));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Rolling hills in silhouette along the bottom.
void paintHills(QPainter& p) {
    QPainterPath hills;
    hills.moveTo(0, kHorizonY + 20);
    hills.cubicTo(110, kHorizonY - 14, 200, kHorizonY + 4, 290, kHorizonY + 14);
    hills.cubicTo(380, kHorizonY + 24, 470, kHorizonY - 22, 600, kHorizonY + 6);
    hills.lineTo(600, 450);
    hills.lineTo(0, 450);
    hills.closeSubpath();
    QLinearGradient ground(0, kHorizonY - 20, 0, kLogoSize.height());
    ground.setColorAt(0, QColor(14, 14, 34));
    ground.setColorAt(1, QColor(4, 5, 12));
    p.setPen(QPen(QColor(90, 80, 150), 1.5));
    p.setBrush(ground);
    p.drawPath(hills);
}

void paintTitle(QPainter& p) {
    QFont font("Liberation Serif");
    font.setBold(true);
    font.setPixelSize(92);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Skyglow II"));
    const QRectF box = text.boundingRect();
    text.translate(kLogoSize.width() / 2.0 - box.center().x(), 408 - box.bottom());

    p.setBrush(Qt::NoBrush);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const struct {
        qreal width;
        int alpha;
    } glow[] = {{22, 18}, {14, 32}, {8, 60}};
    for (const auto& g : glow) {
        p.setPen(QPen(QColor(110, 150, 255, g.alpha), g.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(text);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QRectF placed = text.boundingRect();
    QLinearGradient fill(0, placed.top(), 0, placed.bottom());
    fill.setColorAt(0.0, QColor(255, 255, 255));
    fill.setColorAt(0.55, QColor(225, 235, 255));
    fill.setColorAt(1.0, QColor(150, 180, 250));
    p.setPen(QPen(QColor(10, 16, 50), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(text);
}

QImage drawLogo() {
    QImage image(kLogoSize, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p);
    paintNebula(p);
    paintStars(p);
    paintRing(p);
    paintBurst(p);
    paintHills(p);
    paintTitle(p);
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// ---------------------------------------------------------------------------------------------
// Flags: drawn 8 times larger, averaged down to 27 x 16, then shaded.
// ---------------------------------------------------------------------------------------------

const QSize kFlagSize(27, 16);
const int kSuper = 8;

QImage drawFlag(const std::function<void(QPainter&)>& paint) {
    QImage big(kFlagSize * kSuper, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kSuper, kSuper);  // the painters below work in glyph pixels
    paint(p);
    p.end();
    return big.scaled(kFlagSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void paintSpain(QPainter& p) {
    p.fillRect(QRectF(0, 0, 27, 16), QColor(198, 11, 30));
    p.fillRect(QRectF(0, 4, 27, 8), QColor(255, 196, 0));  // red, yellow, red in 1 : 2 : 1
}

void paintGalicia(QPainter& p) {
    p.fillRect(QRectF(0, 0, 27, 16), Qt::white);
    QPainterPath band;  // from the top of the hoist to the bottom of the fly
    band.moveTo(0, -2.2);
    band.lineTo(5.5, -2.2);
    band.lineTo(27, 13.8);
    band.lineTo(27, 18.2);
    band.lineTo(21.5, 18.2);
    band.lineTo(0, 2.2);
    band.closeSubpath();
    p.fillPath(band, QColor(0, 140, 205));
}

// One red counterchanged arm of the diagonal cross: it runs beside the centre line of the white
// arm, on the side a quarter turn clockwise, so the four arms form a pinwheel.
void paintUnionRedArm(QPainter& p, QPointF corner, QPointF side) {
    const QPointF centre(13.5, 8);
    const QLineF arm(centre, corner);
    const QPointF along = (corner - centre) / arm.length();
    QPointF normal(-along.y(), along.x());
    if (QPointF::dotProduct(normal, side) < 0)
        normal = -normal;
    const QPointF a = centre + normal * 0.15, b = corner + along * 2 + normal * 0.15;
    const QPointF c = b + normal * 1.25, d = a + normal * 1.25;
    p.save();
    p.setClipRect(QRectF(std::min(centre.x(), corner.x()), std::min(centre.y(), corner.y()), 13.5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 16, 46));
    p.drawPolygon(QPolygonF({a, b, c, d}));
    p.restore();
}

void paintUnion(QPainter& p) {
    const QColor blue(1, 33, 105), red(200, 16, 46);
    p.fillRect(QRectF(0, 0, 27, 16), blue);
    p.setPen(QPen(Qt::white, 3.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(-1, -0.6), QPointF(28, 16.6));
    p.drawLine(QPointF(-1, 16.6), QPointF(28, -0.6));
    paintUnionRedArm(p, {0, 0}, {-1, 1});    // upper hoist: red below the centre line
    paintUnionRedArm(p, {27, 0}, {-1, -1});  // upper fly: red above it
    paintUnionRedArm(p, {27, 16}, {1, -1});
    paintUnionRedArm(p, {0, 16}, {1, 1});
    p.fillRect(QRectF(11, 0, 5, 16), Qt::white);  // upright cross, snapped to whole pixels
    p.fillRect(QRectF(0, 5, 27, 6), Qt::white);
    p.fillRect(QRectF(12, 0, 3, 16), red);
    p.fillRect(QRectF(0, 6, 27, 4), red);
}

int clampChannel(qreal v) { return std::clamp(int(std::lround(v)), 0, 255); }

// A light top-lit look: a glossy band near the top, darker towards the bottom, a faint rim.
QImage shadeGlyph(const QImage& flat) {
    QImage out = flat.convertToFormat(QImage::Format_RGB888);
    const int w = out.width(), h = out.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            qreal gain = 1.06 - 0.20 * y / (h - 1);
            const qreal lift = (y >= 1 && y <= 3) ? 0.10 : 0.0;  // glossy band near the top
            if (x == 0 || y == 0)
                gain *= 0.90;  // a faint rim, so that a white field keeps its edge on a light button
            if (x == w - 1 || y == h - 1)
                gain *= 0.78;
            const QColor c = out.pixelColor(x, y);
            auto shade = [&](int v) { return clampChannel(v * gain + (255 - v * gain) * lift); };
            QColor s(shade(c.red()), shade(c.green()), shade(c.blue()));
            if (s == QColor(Qt::black))
                s = QColor(1, 1, 1);  // pure black is reserved for transparency
            out.setPixelColor(x, y, s);
        }
    }
    out.setPixelColor(0, h - 1, Qt::black);  // the transparent-colour key
    return out;
}

// ---------------------------------------------------------------------------------------------
// Light bulb: pixel art, 16 colours, written as a 4-bit BMP (Qt writes no 4-bit BMPs).
// ---------------------------------------------------------------------------------------------

// Palette index per character. '.' is olive, the transparent colour of the glyph.
const char kBulbKeys[] = ".kwpygfrsmdAB CD";
const QRgb kBulbPalette[16] = {
    qRgb(128, 128, 0),    // .  background (transparent)
    qRgb(88, 56, 0),      // k  outline
    qRgb(255, 255, 255),  // w  highlight
    qRgb(255, 255, 170),  // p  pale glass
    qRgb(255, 230, 0),    // y  glass
    qRgb(232, 160, 0),    // g  glass in shadow
    qRgb(224, 64, 0),     // f  filament
    qRgb(255, 246, 110),  // r  rays
    qRgb(232, 232, 232),  // s  metal light
    qRgb(168, 168, 168),  // m  metal
    qRgb(100, 100, 100),  // d  metal dark
    qRgb(88, 88, 88),     // A  greyed outline
    qRgb(136, 136, 136),  // B  greyed filament
    qRgb(0, 0, 0),        //    unused
    qRgb(212, 212, 212),  // C  greyed glass, rays
    qRgb(184, 184, 184),  // D  greyed glass in shadow
};

const char* const kBulbPixels[16] = {
    ".......rr.......", ".r....kkkk....r.", "..r.kkwwppkk.r..", "...kwwpyyyygk...",
    "...kwpyyyyygk...", "rr.kpfyffyfgk.rr", "...kyyfyyfygk...", "...kyyfyyfggk...",
    "..r.kyfyyfgk.r..", ".r...kfggfk...r.", ".....kkkkkk.....", ".....kssmdk.....",
    ".....kmmddk.....", ".....kssmdk.....", "......kddk......", ".......kk.......",
};

// The disabled image: the same drawing with every colour replaced by a grey of the palette.
char greyedKey(char key) {
    switch (key) {
    case 'k': return 'A';
    case 'f': return 'B';
    case 'p':
    case 'y':
    case 'r': return 'C';
    case 'g': return 'D';
    default: return key;  // background, white and the metal greys stay as they are
    }
}

int paletteIndex(char key) {
    const char* at = std::strchr(kBulbKeys, key);
    return at && key != ' ' ? int(at - kBulbKeys) : 0;
}

// 32 x 16 palette indices, top row first: lit bulb on the left, greyed bulb on the right.
QVector<int> bulbIndices() {
    QVector<int> indices(32 * 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char key = kBulbPixels[y][x];
            indices[y * 32 + x] = paletteIndex(key);
            indices[y * 32 + 16 + x] = paletteIndex(greyedKey(key));
        }
    }
    return indices;
}

// Uncompressed 4 bits per pixel BMP: file header, BITMAPINFOHEADER, 16 palette entries, rows
// bottom-up, two pixels per byte with the left one in the high nibble, rows padded to 4 bytes.
QByteArray encodeBmp4(int width, int height, const QVector<int>& indices, const QRgb (&palette)[16]) {
    const int rowBytes = ((width + 1) / 2 + 3) / 4 * 4;
    const quint32 pixelOffset = 14 + 40 + 16 * 4;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(pixelOffset + rowBytes * height) << quint16(0) << quint16(0) << pixelOffset;
    out << quint32(40) << qint32(width) << qint32(height) << quint16(1) << quint16(4) << quint32(0)
        << quint32(rowBytes * height) << qint32(3780) << qint32(3780) << quint32(16) << quint32(0);
    for (QRgb c : palette)
        out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x)
            row[x / 2] = char(row[x / 2] | (indices[y * width + x] << (x % 2 ? 0 : 4)));
        out.writeRawData(row.constData(), row.size());
    }
    return bytes;
}

// ---------------------------------------------------------------------------------------------

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool saveBmp(const QImage& image, const QString& path) {
    Q_ASSERT(image.format() == QImage::Format_RGB888);  // Qt writes these as 24 bpp
    return image.save(path, "BMP");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // fonts need a GUI application, not a display
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork <output-dir>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const bool ok = saveBmp(drawLogo(), dir.filePath("logo.bmp")) &&
                    saveBmp(shadeGlyph(drawFlag(paintUnion)), dir.filePath("flag-uk.bmp")) &&
                    saveBmp(shadeGlyph(drawFlag(paintGalicia)), dir.filePath("flag-galicia.bmp")) &&
                    saveBmp(shadeGlyph(drawFlag(paintSpain)), dir.filePath("flag-spain.bmp")) &&
                    writeFile(dir.filePath("bulb.bmp"), encodeBmp4(32, 16, bulbIndices(), kBulbPalette));
    if (!ok) {
        std::fprintf(stderr, "make-artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
