// PCX read and written by the picture library's own code.
#include "PcxCodec.h"

#include "ByteReader.h"
#include "ColourIndex.h"
#include "Exception.h"
#include "ImageError.h"
#include "PictureLimits.h"

#include <QtEndian>
#include <array>
#include <unordered_map>
#include <vector>
#include <QCoreApplication>

namespace Tallwick {

namespace {
constexpr int kHeaderSize = 128;
constexpr int kPaletteSize = 769;  // 0x0C and 256 RGB triples
// A run of at most 63 bytes in two bytes; a byte holds up to 8 pixels of a 1-bit plane.
constexpr std::int64_t kPixelsPerByte = 63 * 8 / 2;
// The plane lines of a picture at the pixel bound in four 8-bit planes, with lines padded to up to
// twice their length: more would only make decoding run long.
constexpr std::int64_t kMaxScanBytes = TPictureLimits::kMaxPixels * 4 * 2;

struct Header {
    int BitsPerPixel, Planes, BytesPerLine, Width, Height;
    bool Encoded;
    const std::uint8_t* EgaPalette;
};

[[noreturn]] void Unrecognized() { throw EInvalidPicture(QCoreApplication::translate("Tallwick", "unrecognized PCX")); }

// The bytes all plane lines decode to, within kMaxScanBytes and within what the file's data can
// give (a two-byte run gives at most 63 bytes; runs may cross lines).
bool ScanBytesAcceptable(const Header& h, std::int64_t size) {
    const std::int64_t bytes = std::int64_t(h.BytesPerLine) * h.Planes * h.Height;
    const std::int64_t data = size - kHeaderSize;
    const std::int64_t available = h.Encoded ? (data + 1) / 2 * 63 : data;
    return bytes <= kMaxScanBytes && bytes <= available;
}

Header ParseHeader(const std::uint8_t* d, std::int64_t size) {
    if (size < kHeaderSize || d[0] != 0x0A || d[2] > 1)
        Unrecognized();
    Header h;
    h.Encoded = d[2] == 1;
    h.BitsPerPixel = d[3];
    h.Width = Word(d + 8) - Word(d + 4) + 1;
    h.Height = Word(d + 10) - Word(d + 6) + 1;
    h.EgaPalette = d + 16;
    h.Planes = d[65];
    h.BytesPerLine = Word(d + 66);
    const bool planar1 = h.BitsPerPixel == 1 && h.Planes >= 1 && h.Planes <= 4;
    const bool byteWise = h.BitsPerPixel == 8 && (h.Planes == 1 || h.Planes == 3 || h.Planes == 4);
    if (!(planar1 || byteWise) || h.Width <= 0 || h.Height <= 0 ||
        std::int64_t(h.BytesPerLine) * 8 < std::int64_t(h.Width) * h.BitsPerPixel)
        Unrecognized();
    // The pixels against the pixel bound, the bytes they are stored in against their own.
    const std::int64_t ratio = h.Encoded ? kPixelsPerByte : 8;
    if (!TPictureLimits::Acceptable(h.Width, h.Height, size, ratio) || !ScanBytesAcceptable(h, size))
        Unrecognized();
    return h;
}

// The next plane line of the picture, run-length decoded; runs may continue into the next line.
class LineDecoder {
public:
    LineDecoder(const std::uint8_t* data, std::int64_t end, bool encoded) : FData(data), FEnd(end), FEncoded(encoded) {}

    void Next(std::uint8_t* line, int length) {
        for (int i = 0; i < length;) {
            if (FRun == 0)
                Fill();
            const int n = std::min(FRun, length - i);
            std::fill(line + i, line + i + n, FValue);
            FRun -= n;
            i += n;
        }
    }

private:
    void Fill() {
        if (FPos >= FEnd)
            Unrecognized();
        std::uint8_t b = FData[FPos++];
        FRun = 1;
        if (FEncoded && (b & 0xC0) == 0xC0) {
            FRun = b & 0x3F;
            if (FPos >= FEnd)
                Unrecognized();
            b = FData[FPos++];
        }
        FValue = b;
    }

    const std::uint8_t* FData;
    std::int64_t FEnd;
    bool FEncoded;
    std::int64_t FPos = kHeaderSize;
    int FRun = 0;
    std::uint8_t FValue = 0;
};

using Palette = std::array<std::uint32_t, 256>;

Palette HeaderPalette(const Header& h) {
    Palette p{};
    for (int i = 0; i < 16; ++i) {
        const std::uint8_t* c = h.EgaPalette + 3 * i;
        p[std::size_t(i)] = 0xFF000000u | std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
    }
    // Monochrome files commonly leave the header palette empty: black on white.
    if (h.Planes == 1 && p[0] == p[1]) {
        p[0] = 0xFF000000u;
        p[1] = 0xFFFFFFFFu;
    }
    return p;
}

Palette VgaPalette(const std::uint8_t* d, std::int64_t size) {
    if (size < kHeaderSize + kPaletteSize || d[size - kPaletteSize] != 0x0C)
        Unrecognized();
    Palette p{};
    const std::uint8_t* c = d + size - kPaletteSize + 1;
    for (std::size_t i = 0; i < 256; ++i, c += 3)
        p[i] = 0xFF000000u | std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
    return p;
}

void DecodeRow(const Header& h, const std::vector<std::uint8_t>& line, const Palette& palette, std::uint32_t* out) {
    const std::uint8_t* plane[4] = {};
    for (int i = 0; i < h.Planes; ++i)
        plane[i] = line.data() + std::size_t(i) * std::size_t(h.BytesPerLine);
    for (int x = 0; x < h.Width; ++x) {
        if (h.BitsPerPixel == 8 && h.Planes >= 3) {
            out[x] = 0xFF000000u | std::uint32_t(plane[0][x]) << 16 | std::uint32_t(plane[1][x]) << 8 | plane[2][x];
        } else if (h.BitsPerPixel == 8) {
            out[x] = palette[plane[0][x]];
        } else {
            int index = 0;
            for (int i = 0; i < h.Planes; ++i)
                index |= ((plane[i][x >> 3] >> (7 - (x & 7))) & 1) << i;
            out[x] = palette[std::size_t(index)];
        }
    }
}
}  // namespace

bool TPcxCodec::Recognize(const std::uint8_t* d, std::int64_t size) {
    if (size < kHeaderSize || d[0] != 0x0A || d[2] != 1)
        return false;
    const int version = d[1], bits = d[3], planes = d[65];
    const std::int64_t width = std::int64_t(Word(d + 8)) - Word(d + 4) + 1,
                       height = std::int64_t(Word(d + 10)) - Word(d + 6) + 1;
    const bool versionKnown = version == 0 || (version >= 2 && version <= 5);
    const bool depthKnown =
        (bits == 1 || bits == 2 || bits == 4 || bits == 8) && (planes == 1 || planes == 3 || planes == 4);
    // Lines hold the window's pixels, padded by a few bytes at most (writers pad to even lengths).
    const std::int64_t lineBytes = Word(d + 66), needed = (width * bits + 7) / 8;
    return versionKnown && depthKnown && width > 0 && height > 0 && lineBytes >= needed && lineBytes <= needed + 3;
}

QSize TPcxCodec::Size(const std::uint8_t* d, std::int64_t size) {
    if (!Recognize(d, size))
        return QSize();
    return QSize(Word(d + 8) - Word(d + 4) + 1, Word(d + 10) - Word(d + 6) + 1);
}

QImage TPcxCodec::Read(const std::uint8_t* data, std::int64_t size) {
    const Header h = ParseHeader(data, size);
    const bool vga = h.BitsPerPixel == 8 && h.Planes == 1;
    const Palette palette = vga ? VgaPalette(data, size) : HeaderPalette(h);
    const std::int64_t end = vga ? size - kPaletteSize : size;
    QImage image = TPictureLimits::NewImage(h.Width, h.Height);
    std::vector<std::uint8_t> line(std::size_t(h.BytesPerLine) * std::size_t(h.Planes));
    LineDecoder decoder(data, end, h.Encoded);
    for (int y = 0; y < h.Height; ++y) {
        decoder.Next(line.data(), int(line.size()));
        DecodeRow(h, line, palette, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

namespace {
void PutWord(QByteArray& b, int offset, int value) { qToLittleEndian<quint16>(quint16(value), b.data() + offset); }

// Run-length encodes one plane line; runs stop at the end of each line, as readers expect.
void EncodeLine(QByteArray& out, const std::uint8_t* line, int length) {
    for (int i = 0; i < length;) {
        int run = 1;
        while (i + run < length && run < 63 && line[i + run] == line[i])
            ++run;
        if (run > 1 || (line[i] & 0xC0) == 0xC0)
            out.append(char(0xC0 | run));
        out.append(char(line[i]));
        i += run;
    }
}

QByteArray NewHeader(const QImage& image, int planes, int bytesPerLine) {
    QByteArray b(kHeaderSize, '\0');
    b[0] = 0x0A;
    b[1] = 5;  // version 3.0 with palette information
    b[2] = 1;
    b[3] = 8;
    PutWord(b, 8, image.width() - 1);
    PutWord(b, 10, image.height() - 1);
    PutWord(b, 12, 96);
    PutWord(b, 14, 96);
    b[65] = char(planes);
    PutWord(b, 66, bytesPerLine);
    PutWord(b, 68, 1);
    return b;
}

}  // namespace

QByteArray TPcxCodec::Write(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    if (image.width() > 0xFFFF || image.height() > 0xFFFF)
        throw EInvalidGraphicOperation(
            QStringLiteral("A PCX file cannot hold %1 x %2 pixels").arg(image.width()).arg(image.height()));
    const int bytesPerLine = (image.width() + 1) & ~1;  // even, as the format asks
    std::vector<std::uint32_t> colours;
    std::vector<std::uint8_t> indices;
    const bool indexed = IndexColours(image, colours, indices);
    QByteArray out = NewHeader(image, indexed ? 1 : 3, bytesPerLine);
    std::vector<std::uint8_t> line(std::size_t(bytesPerLine), 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int plane = 0; plane < (indexed ? 1 : 3); ++plane) {
            for (int x = 0; x < image.width(); ++x)
                line[std::size_t(x)] = indexed ? indices[std::size_t(y) * std::size_t(image.width()) + std::size_t(x)]
                                               : std::uint8_t(row[x] >> (16 - 8 * plane));
            EncodeLine(out, line.data(), bytesPerLine);
        }
    }
    if (indexed) {
        out.append(char(0x0C));
        colours.resize(256, 0);
        for (std::uint32_t c : colours) {
            out.append(char(c >> 16));
            out.append(char(c >> 8));
            out.append(char(c));
        }
    }
    return out;
}

}  // namespace Tallwick
