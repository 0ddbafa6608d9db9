#pragma once
/// \class Tallwick::Exception
/// The one base class of every error the system raises. Handlers let it propagate; the application
/// object catches it where the event loop dispatches and shows its message in the standard error box.
#include <Tallwick/TallwickExport.h>
#include <QString>
#include <exception>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT Exception : public std::exception {
public:
    explicit Exception(const QString& message);
    const char* what() const noexcept override;

    QString Message;

private:
    class Private;
    std::shared_ptr<const Private> d;  ///< shared: copying an exception, as throwing does, cannot fail
};

/// A text that is not a number where one was expected ("'%s' is not a valid integer value").
class TALLWICK_EXPORT EConvertError : public Exception {
public:
    using Exception::Exception;
};

/// A file that exists but cannot be opened ("Cannot open file %s").
class TALLWICK_EXPORT EFOpenError : public Exception {
public:
    using Exception::Exception;
};

/// A file that cannot be created ("Cannot create file %s").
class TALLWICK_EXPORT EFCreateError : public Exception {
public:
    using Exception::Exception;
};

/// Drawing on a picture that holds no bitmap, and similar misuse of the graphics layer.
class TALLWICK_EXPORT EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

/// Memory for a requested size could not be had (large star counts, huge bitmaps).
class TALLWICK_EXPORT EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

}  // namespace Tallwick
