// Throughput of cutting and checking a scan list, the work a run does before
// its first key event.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/ScanList.h"

namespace {

// Scan-list text of about mebibytes MiB: waybill lines of varied lengths,
// with an empty line now and then, as an operator's paste would look.
std::string MakeScanList(std::int64_t mebibytes)
{
    const std::size_t size = static_cast<std::size_t>(mebibytes) << 20;
    std::string text;
    text.reserve(size + 64);
    std::uint32_t state = 12345;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += std::to_string(1000000000u + state % 900000000u);
        text += '-';
        text += std::to_string(1 + (state >> 8) % 800);
        text += (state & 0x70) == 0 ? "\r\n\r\n" : "\r\n";
    }
    return text;
}

void BM_SplitAndValidate(benchmark::State& state)
{
    const std::string text = MakeScanList(state.range(0));
    for (auto _ : state) {
        const varn::ScanList lines = varn::SplitLines(text);
        bool valid = varn::ValidateScanList(lines);
        benchmark::DoNotOptimize(valid);
        if (!valid) {
            state.SkipWithError("generated list did not validate");
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

BENCHMARK(BM_SplitAndValidate)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
