#pragma once
// Bounds-checked little-endian reads from a block of bytes: a read past the end yields 0 and
// marks the reader as failed instead of touching memory outside the block.
#include <QtEndian>
#include <cstdint>

namespace Tallwick {

// The little-endian 16-bit word at p, for headers whose length the caller has checked.
inline int Word(const std::uint8_t* p) { return qFromLittleEndian<quint16>(p); }

class TByteReader {
public:
    TByteReader(const std::uint8_t* data, std::int64_t size) : FData(data), FSize(size) {}

    bool Has(std::int64_t offset, std::int64_t count) const {
        return offset >= 0 && count >= 0 && offset <= FSize && count <= FSize - offset;
    }
    std::uint8_t U8(std::int64_t offset) { return Has(offset, 1) ? FData[offset] : Fail<std::uint8_t>(); }
    std::uint16_t U16(std::int64_t offset) {
        return Has(offset, 2) ? qFromLittleEndian<quint16>(FData + offset) : Fail<std::uint16_t>();
    }
    std::int16_t S16(std::int64_t offset) { return std::int16_t(U16(offset)); }
    std::uint32_t U32(std::int64_t offset) {
        return Has(offset, 4) ? qFromLittleEndian<quint32>(FData + offset) : Fail<std::uint32_t>();
    }
    std::int32_t S32(std::int64_t offset) { return std::int32_t(U32(offset)); }

    const std::uint8_t* Data() const { return FData; }
    std::int64_t Size() const { return FSize; }
    bool Failed() const { return FFailed; }

private:
    template <typename T>
    T Fail() {
        FFailed = true;
        return T(0);
    }

    const std::uint8_t* FData;
    std::int64_t FSize;
    bool FFailed = false;
};

}  // namespace Tallwick
