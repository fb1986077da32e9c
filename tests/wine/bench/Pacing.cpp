#include "Pacing.h"

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Checks.h"
#include "KeyTarget.h"
#include "Tool.h"
#include "WineBench.h"

namespace varnbench {

namespace {

struct Run {
  const char* speed;  // two Chinese characters, four columns wide
  int radio;
  double pauseMs;
  const wchar_t* text;
  std::string prefix;
  int count;
};

// Measures, on a thread of its own so that the target keeps receiving, when the tool's thread
// is back in its message loop: the end of its run.
constexpr DWORD kRunEndFloorMs = 5;

struct RunEnd {
  HWND dialog;
  LONGLONG ticks;
};

DWORD WINAPI WaitForRunEnd(void* param) {
  auto* end = static_cast<RunEnd*>(param);
  // A sent message overtakes the posted hot key: let the run begin first.
  Sleep(kRunEndFloorMs);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(end->dialog, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  end->ticks = now.QuadPart;
  return 0;
}

struct Figures {
  size_t expected = 0;
  size_t received = 0;
  size_t lost = 0;
  std::string difference;  // empty: every key, in order
  double spanMs = 0;
  double medianGapMs = 0;
  double maxGapMs = 0;
  double toolRunMs = 0;  // from HOME to the tool's return from its run
};

bool Measure(const Tool& tool, KeyTarget& target, const Run& run, Figures& figures) {
  tool.Click(run.radio);
  if (!tool.Sync() || !tool.IsChecked(run.radio)) return false;
  tool.SetText(run.text);
  const std::vector<KeyStroke> expected = StrokesFor(PieceCodes(run.prefix, run.count));

  target.Clear();
  if (!target.Focus()) return false;
  RunEnd end = {tool.Dialog(), 0};
  LARGE_INTEGER home;
  QueryPerformanceCounter(&home);
  winebench::TapKey(VK_HOME);
  HANDLE waiter = CreateThread(nullptr, 0, WaitForRunEnd, &end, 0, nullptr);
  if (waiter == nullptr) return false;
  target.WaitForKeys(expected.size(), 300000, 1000);
  WaitForSingleObject(waiter, INFINITE);
  CloseHandle(waiter);

  const std::vector<ReceivedKey> keys = target.Keys();
  const std::vector<KeyStroke> strokes = target.Strokes();
  figures.expected = expected.size();
  figures.received = keys.size();
  figures.lost = LostStrokes(expected, strokes);
  figures.difference = FirstDifference(expected, strokes);
  figures.spanMs = SpanMs(keys);
  const std::vector<double> gaps = Gaps(keys);
  figures.medianGapMs = Median(gaps);
  figures.maxGapMs = gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end());
  figures.toolRunMs = KeyTarget::TicksToMs(end.ticks - home.QuadPart);
  return true;
}

// The same number of Sleep calls in the bench itself, with no key event: how far this machine's
// own scheduling stretches a series of pauses, the floor under the tool's ratio.
void PrintSleepBaseline(size_t events, DWORD pauseMs) {
  LARGE_INTEGER start, previous, now;
  QueryPerformanceCounter(&start);
  previous = start;
  double maxGapMs = 0;
  for (size_t i = 0; i < events; ++i) {
    Sleep(pauseMs);
    QueryPerformanceCounter(&now);
    maxGapMs = std::max(maxGapMs, KeyTarget::TicksToMs(now.QuadPart - previous.QuadPart));
    previous = now;
  }
  const double spanMs = KeyTarget::TicksToMs(now.QuadPart - start.QuadPart);
  const double nominal = static_cast<double>(events) * pauseMs;
  printf("\nbaseline: %zu x Sleep(%lu) alone, no key events: %.1f ms for %.1f ms nominal, ratio %.3f, "
         "max gap %.1f ms\n",
         events, pauseMs, spanMs, nominal, spanMs / nominal, maxGapMs);
}

}  // namespace

int RunPacingBenchmark() {
  KeyTarget target;
  if (!target.Created()) {
    printf("pacing: cannot create the target window\n");
    return 1;
  }
  // Wine types keypad keys as digits only while NumLock is on; Windows does so whatever its state.
  if (!winebench::EnsureNumLockOn(target.Edit())) {
    printf("pacing: NumLock stays off\n");
    return 1;
  }
  Tool tool;
  if (!tool.Started()) {
    printf("pacing: the tool did not start\n");
    return 1;
  }
  const MessageBoxInfo box = tool.ClickAndCloseBox(IDC_REGISTER_HOTKEY);
  if (box.text != kRegistered) {
    printf("pacing: HOME could not be registered\n");
    return 1;
  }

  const Run runs[] = {
      {"最快", IDC_SPEED_FASTEST, 0, L"0019280608-80", "0019280608-", 80},
      {"较快", IDC_SPEED_FAST, 2, L"0019280608-80", "0019280608-", 80},
      {"标准", IDC_SPEED_NORMAL, 5, L"0019280608-80", "0019280608-", 80},
      {"较慢", IDC_SPEED_SLOW, 10, L"0019280608-80", "0019280608-", 80},
      {"最快", IDC_SPEED_FASTEST, 0, L"0019280608-800", "0019280608-", 800},
  };

  printf("Pacing of the real tool under Wine: key events as the target's edit box received them.\n");
  printf("nominal = events x pause; measured = first to last event received; ratio = measured / nominal;\n");
  printf("tool's run = from HOME until the tool is back in its message loop (read from %lu ms on).\n\n",
         kRunEndFloorMs);
  printf("%-15s %-5s %5s %6s %10s %11s %6s %10s %8s %8s %10s  %s\n", "text", "speed", "pause",
         "events", "nominal ms", "measured ms", "ratio", "median gap", "max gap", "events/s",
         "tool's run", "lost, order");
  int failures = 0;
  for (const Run& run : runs) {
    Figures f;
    if (!Measure(tool, target, run, f)) {
      printf("pacing: could not start the run at %s\n", run.speed);
      return 1;
    }
    const double nominal = static_cast<double>(f.received) * run.pauseMs;
    char ratio[16] = "-";
    if (nominal > 0) snprintf(ratio, sizeof ratio, "%.3f", f.spanMs / nominal);
    char rate[16] = "-";
    if (f.spanMs > 0) snprintf(rate, sizeof rate, "%.0f", static_cast<double>(f.received - 1) * 1000.0 / f.spanMs);
    std::string text(run.text, run.text + wcslen(run.text));
    printf("%-15s %s  %2.0f ms %6zu %10.1f %11.1f %6s %7.3f ms %5.1f ms %8s %7.0f ms  %zu lost, %s\n",
           text.c_str(), run.speed, run.pauseMs, f.received, nominal, f.spanMs, ratio,
           f.medianGapMs, f.maxGapMs, rate, f.toolRunMs, f.lost,
           f.difference.empty() ? "in order" : "DIFFERS");
    if (!f.difference.empty()) {
      printf("    %s\n", f.difference.c_str());
      ++failures;
    }
  }
  PrintSleepBaseline(2222, 5);
  return failures == 0 ? 0 : 1;
}

}  // namespace varnbench
