#pragma once

namespace varnbench {

// Types "0019280608-80" through the real tool at each scan speed and a run of more than
// 20,000 key events at the fastest, and prints a table of what the target received.
// Returns 0 when every run arrived complete and in order.
int RunPacingBenchmark();

}  // namespace varnbench
