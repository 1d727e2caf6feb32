// The save file's surroundings in memory: a disk of whole files by path whose
// operations fail on request, and the error boxes recorded instead of shown.
#ifndef VARLO_TESTS_UNIT_FILE_IO_DOUBLE_H
#define VARLO_TESTS_UNIT_FILE_IO_DOUBLE_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/platform.h"

using Bytes = std::vector<uint8_t>;

struct FileFaults {
    int opensInUse = 0;     // opens that find the file held by another program; -1: every one
    bool sizeFails = false;
    bool readFails = false;
    long long writeFailsAfter = -1;  // bytes that reach the file before a write fails; -1: none fails
    bool flushFails = false;
    bool replaceFails = false;
};

// What the next calls do; a test sets it and the fixture clears it.
extern FileFaults fileFaults;
// Every file on the disk, by path, with its bytes as written so far.
extern std::map<std::wstring, Bytes> diskFiles;
// Lock files held open now, and whether one was held when a file was last replaced.
extern int locksHeld;
extern bool lastReplaceLocked;
// The time slept in all, in milliseconds.
extern long long sleptMs;

// One error box the code under test asked for.
struct ShownError {
    Window owner;
    std::wstring text;
};
// Every showError call since the fixture's set-up, in order.
extern std::vector<ShownError> shownErrors;

#endif
