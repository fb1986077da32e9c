#include "ScanRun.h"

#include "Messages.h"
#include "PieceTyping.h"
#include "ScanList.h"

namespace varn {

void RunScan(InputServices& input, std::int32_t speedIndex, std::string_view text,
             OwnerWindow owner)
{
    const std::uint32_t pause = SpeedToPause(speedIndex);
    if (text.empty()) {
        input.ShowMessage(owner, messages::kEnterText);
        return;
    }
    const ScanList lines = SplitLines(text);
    if (!ValidateScanList(lines)) {
        input.ShowMessage(owner, messages::kBadFormat);
        return;
    }
    ReplayScanList(input, lines, pause);
}

}  // namespace varn
