#pragma once
// A PCX header of the given size and layout, followed by 200 bytes of run-length data, for tests
// of files that claim more than they hold.
#include <QByteArray>
#include <QtEndian>

inline QByteArray PcxHeader(int xmax, int ymax, int bytesPerLine, int planes, int bits = 8) {
    QByteArray h(128, '\0');
    h[0] = 0x0A;
    h[1] = 5;
    h[2] = 1;
    h[3] = char(bits);
    qToLittleEndian<quint16>(quint16(xmax), h.data() + 8);
    qToLittleEndian<quint16>(quint16(ymax), h.data() + 10);
    h[65] = char(planes);
    qToLittleEndian<quint16>(quint16(bytesPerLine), h.data() + 66);
    return h + QByteArray(200, '\xC1');
}
