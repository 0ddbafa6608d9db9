#pragma once
// Bounded memory, whatever the machine: while one of these lives, this process may map only what
// it has mapped now plus a margin, so that any larger allocation fails. The address sanitizer
// reserves far more than any such limit; under it nothing is limited (Active() is false).
#include <QFile>
#include <QRegularExpression>
#include <sys/resource.h>

class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(qint64 marginBytes) {
#if !defined(__SANITIZE_ADDRESS__)
        const qint64 used = MappedBytes();
        if (used <= 0 || getrlimit(RLIMIT_AS, &FOld) != 0)
            return;
        rlimit tight = FOld;
        tight.rlim_cur = rlim_t(used + marginBytes);
        if (FOld.rlim_max != RLIM_INFINITY && FOld.rlim_max < tight.rlim_cur)
            tight.rlim_cur = FOld.rlim_max;
        FActive = setrlimit(RLIMIT_AS, &tight) == 0;
#else
        (void)marginBytes;
#endif
    }
    ~AddressSpaceLimit() {
        if (FActive)
            setrlimit(RLIMIT_AS, &FOld);
    }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    bool Active() const { return FActive; }

    // The process's mapped address space (VmSize), or 0 when it cannot be read.
    static qint64 MappedBytes() {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        const auto m =
            QRegularExpression(QStringLiteral("VmSize:\\s+(\\d+) kB")).match(QString::fromLatin1(status.readAll()));
        return m.hasMatch() ? m.captured(1).toLongLong() * 1024 : 0;
    }

private:
    rlimit FOld{};
    bool FActive = false;
};
