// The tool's Wine bench: GoogleTest cases that drive the real executable, with --pacing the
// pacing benchmark, or with --demo the tool's main job shown beside Wine's notepad.
//
// usage: varn_wine_bench [GTEST FLAGS] [--pacing | --demo] [--screenshot=OUT.png] PATH/TO/varn.exe
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "Demo.h"
#include "Pacing.h"
#include "Tool.h"
#include "WineBench.h"

int wmain(int argc, wchar_t** argv) {
  winebench::SetBinaryStdout();
  testing::InitGoogleTest(&argc, argv);

  bool pacing = false;
  bool demo = false;
  std::wstring tool;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--pacing") {
      pacing = true;
    } else if (arg == L"--demo") {
      demo = true;
    } else if (arg.rfind(L"--screenshot=", 0) == 0) {
      varnbench::SetScreenshotPath(varnbench::ToWindowsPath(arg.substr(13)));
    } else if (tool.empty() && arg.rfind(L"--", 0) != 0) {
      tool = arg;
    } else {
      fprintf(stderr, "unknown argument: %ls\n", arg.c_str());
      return winebench::ReportExitCode(2);
    }
  }
  if (tool.empty()) {
    fprintf(stderr, "usage: varn_wine_bench [--pacing | --demo] [--screenshot=OUT.png] PATH/TO/varn.exe\n");
    return winebench::ReportExitCode(2);
  }
  varnbench::SetToolPath(varnbench::ToWindowsPath(tool));
  if (GetFileAttributesW(varnbench::ToolPath().c_str()) == INVALID_FILE_ATTRIBUTES) {
    fprintf(stderr, "no such program: %ls\n", varnbench::ToolPath().c_str());
    return winebench::ReportExitCode(2);
  }

  if (demo) return winebench::ReportExitCode(varnbench::RunDemo(varnbench::ScreenshotPath()));
  if (pacing) return winebench::ReportExitCode(varnbench::RunPacingBenchmark());
  return winebench::ReportExitCode(RUN_ALL_TESTS());
}
