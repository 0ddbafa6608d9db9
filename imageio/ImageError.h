#pragma once
/// \file
/// A picture file that could not be decoded: not of the format its name says, or damaged.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Exception.h>

namespace Tallwick {

class TALLWICK_EXPORT EInvalidPicture : public Exception {
public:
    using Exception::Exception;
};

}  // namespace Tallwick
