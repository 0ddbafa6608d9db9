// The one base class of every error the system raises.
#include "Exception.h"

#include <string>

namespace Tallwick {

class Exception::Private {
public:
    std::string Utf8;  ///< the message as it was raised, for what()
};

Exception::Exception(const QString& message)
    : Message(message),
      d(std::make_shared<const Private>(Private{message.toStdString()})) {}

const char* Exception::what() const noexcept { return d->Utf8.c_str(); }

}  // namespace Tallwick
