// What the driver's parts share: the logs' names in the scratch folder, paths
// in it, and finding the program's top-level windows.
#ifndef VARLO_TESTS_E2E_DRIVER_INTERNAL_H
#define VARLO_TESTS_E2E_DRIVER_INTERNAL_H

#include "driver.h"

namespace driver {

constexpr wchar_t kMidiLog[] = L"midi.log";
constexpr wchar_t kHelpLog[] = L"help.log";

std::wstring join(const std::wstring& folder, const std::wstring& name);
std::wstring className(HWND window);
// The first visible top-level window of the class that belongs to the process.
HWND findWindow(DWORD processId, const wchar_t* name);
bool processEnded(const Program& program);

}  // namespace driver

#endif
