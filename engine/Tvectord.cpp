// TVectorD: the growable array of doubles that holds the star coordinates.
#include "Tvectord.h"

#include <Tallwick/Exception.h>

#include <algorithm>
#include <new>
#include <QCoreApplication>

namespace Tallwick {

TVectorD::TVectorD() = default;

TVectorD::~TVectorD() { Clear(); }

void TVectorD::Clear() {
    if (!Allocated)
        return;
    delete[] Data;
    Data = nullptr;
    Allocated = false;
}

void TVectorD::SetLength(int n) {
    if (n < 1)
        return;
    // A failed allocation must not end the program: the caller gets an error it can show.
    double* fresh = new (std::nothrow) double[static_cast<std::size_t>(n)];
    if (!fresh)
        throw EOutOfMemory(QCoreApplication::translate("Skyglow", "Not enough memory for %1 numbers (%2 MB)")
                               .arg(n)
                               .arg(static_cast<qint64>(n) * qint64(sizeof(double)) / (1024 * 1024)));
    if (Allocated) {
        std::copy(Data, Data + std::min(Count, n), fresh);
        delete[] Data;
    }
    Data = fresh;
    Count = n;
    Allocated = true;
}

}  // namespace Tallwick
