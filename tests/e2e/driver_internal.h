// What the driver's parts share: the logs' names in the scratch folder, paths
// in it, a window's class and whether the program has ended.
#ifndef VARLO_TESTS_E2E_DRIVER_INTERNAL_H
#define VARLO_TESTS_E2E_DRIVER_INTERNAL_H

#include "driver.h"

namespace driver {

constexpr wchar_t kMidiLog[] = L"midi.log";
constexpr wchar_t kHelpLog[] = L"help.log";
constexpr wchar_t kMidiInput[] = L"midi-input.txt";  // what the MIDI double's keyboard plays
constexpr wchar_t kMidiKeyboards[] = L"midi-keyboards.txt";  // how many it reports now

std::wstring join(const std::wstring& folder, const std::wstring& name);
std::wstring className(HWND window);
bool processEnded(const Program& program);

}  // namespace driver

#endif
