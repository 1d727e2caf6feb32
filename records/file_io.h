// The few file operations the save file needs. The program's are Win32 calls
// (file_io_win.cpp); a test program may link others that fail on purpose.
#ifndef VARLO_RECORDS_FILE_IO_H
#define VARLO_RECORDS_FILE_IO_H

#include <cstddef>
#include <cstdint>

// An open file (a file HANDLE in the program); null when none.
struct DiskFile;

// Why a file could or could not be opened.
enum class OpenOutcome {
    opened,
    missing,  // neither the file nor its folder exists
    inUse,    // another program holds it in a way that shuts this one out, for now
    refused,  // it may exist, but cannot be opened (no access, a placeholder that cannot be fetched, ...)
};

// An existing file for reading, which other readers may read meanwhile; `file`
// is null unless the outcome is `opened`.
OpenOutcome openForReading(const wchar_t* path, DiskFile*& file);
// Its size in bytes; false when the size cannot be had.
bool fileSize(DiskFile* file, uint64_t& size);
// Reads up to `count` bytes; `got` tells how many came. False when reading fails.
bool readBytes(DiskFile* file, void* buffer, size_t count, size_t& got);

// A new, empty file for writing, replacing one of that name; null when it cannot be made.
DiskFile* createForWriting(const wchar_t* path);
// Writes all `count` bytes; false when the system fails or writes fewer.
bool writeBytes(DiskFile* file, const void* data, size_t count);
// Writing's end: flushes the file to the disk and closes it; false when its
// contents may not all have reached the disk. The file is closed in any case.
bool finishWriting(DiskFile* file);

// Held open, the file at `path` (made, hidden, when missing) that no other
// process can open until it is closed, and that goes when it is closed or its
// process ends. `lock` is null unless the outcome is `opened`.
OpenOutcome holdLockFile(const wchar_t* path, DiskFile*& lock);
// A number that no other running copy of the program has: its process id.
uint32_t thisProcessNumber();

// Closes a file of any kind; does nothing for null.
void closeFile(DiskFile* file);
// Puts `source` in the place of `target`, replacing it whole; false when it cannot.
bool replaceFile(const wchar_t* source, const wchar_t* target);
void removeFile(const wchar_t* path);

#endif
