#pragma once
// TVectorD: a growable array of doubles, the storage of the star coordinates. Elements are reached
// by direct indexing of Data (no bounds check); Data is valid only while Allocated.
#include <cstddef>

namespace Tallwick {

class TVectorD {
public:
    TVectorD();
    ~TVectorD();
    TVectorD(const TVectorD&) = delete;
    TVectorD& operator=(const TVectorD&) = delete;

    // Releases the storage; Count is left as it was.
    void Clear();
    // n < 1 changes nothing. Otherwise new storage of n doubles replaces the old, keeping the first
    // min(Count, n) elements when storage was held. Raises EOutOfMemory, with everything unchanged,
    // when n doubles cannot be had.
    void SetLength(int n);

    double& operator[](int i) { return Data[i]; }
    double operator[](int i) const { return Data[i]; }

    int Count = 0;
    bool Allocated = false;
    double* Data = nullptr;
};

}  // namespace Tallwick
