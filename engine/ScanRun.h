#pragma once

#include <cstdint>
#include <string_view>

#include "InputServices.h"

namespace varn {

// One scan run: refuses an empty text, checks every line before the first
// key event, and then types all piece codes. Ends with exactly one message
// box owned by owner, or silently after the last key event.
void RunScan(InputServices& input, std::int32_t speedIndex, std::string_view text,
             OwnerWindow owner);

}  // namespace varn
