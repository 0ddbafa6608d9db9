#pragma once
// A picture file that could not be decoded: not of the format its name says, or damaged.
#include "Exception.h"

namespace Tallwick {

class EInvalidPicture : public Exception {
public:
    using Exception::Exception;
};

}  // namespace Tallwick
