#pragma once
// Internal, never installed: gives a TDiskInfo another source of drive facts than this machine,
// as the tests do with tables of their own.
#include "Diskinfo.h"

#include <memory>
#include <utility>

namespace Tallwick {

class TDiskInfoFacts {
public:
    static void Set(TDiskInfo& info, std::shared_ptr<const TDriveFacts> facts) { info.SetFacts(std::move(facts)); }
};

}  // namespace Tallwick
