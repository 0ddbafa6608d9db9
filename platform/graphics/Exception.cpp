// The one base class of every error the system raises.
#include "Exception.h"

namespace Tallwick {

Exception::Exception(const QString& message) : Message(message), FUtf8(message.toStdString()) {}

const char* Exception::what() const noexcept { return FUtf8.c_str(); }

}  // namespace Tallwick
