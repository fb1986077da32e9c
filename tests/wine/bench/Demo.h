#pragma once

#include <string>

namespace varnbench {

// The tool's main job shown on a virtual display: the tool and Wine's notepad side by side,
// three sample lines in the edit box, HOME registered and pressed with the focus in notepad.
// Prints what notepad received and saves a screenshot of the desktop to screenshotPath.
// Returns 0 when notepad received exactly the codes of the three lines.
int RunDemo(const std::wstring& screenshotPath);

}  // namespace varnbench
