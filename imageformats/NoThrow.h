#pragma once
// Qt calls into the plugin from any program that opens a picture and expects no exception back: a
// failed allocation or a refused file would otherwise end that program. Every call the plugin
// answers goes through NoThrow, which logs the reason and gives the call's answer for failure.
#include <QLoggingCategory>
#include <exception>

Q_DECLARE_LOGGING_CATEGORY(lcTallwickImageFormats)

namespace Tallwick {

// Logging may itself run out of memory; then the reason is lost, not the program.
inline void LogFailure(const char* reason) noexcept {
    try {
        qCWarning(lcTallwickImageFormats, "%s", reason);
    } catch (...) {
    }
}

template <typename Result, typename Call>
Result NoThrow(Result failed, Call&& call) noexcept {
    try {
        return call();
    } catch (const std::exception& e) {
        LogFailure(e.what());
    } catch (...) {
        LogFailure("Unexpected error");
    }
    return failed;
}

}  // namespace Tallwick
