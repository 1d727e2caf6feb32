// A file layer for tests: the real Win32 calls, except where a test asks one
// of them to fail.
#ifndef VARLO_TESTS_WINE_FILE_IO_DOUBLE_H
#define VARLO_TESTS_WINE_FILE_IO_DOUBLE_H

struct FileFaults {
    bool sizeFails = false;
    bool readFails = false;
    long long writeFailsAfter = -1;  // bytes that reach the file before a write fails; -1: none fails
    bool flushFails = false;
    bool replaceFails = false;
};

// What the next calls do; a test sets it and the fixture clears it.
extern FileFaults fileFaults;

#endif
