// The save file's file operations over Win32, failing where FileFaults says.
#include "records/file_io.h"

#include <windows.h>

#include "tests/wine/file_io_double.h"

FileFaults fileFaults;

namespace {

HANDLE handleOf(DiskFile* file) {
    return reinterpret_cast<HANDLE>(file);
}

DiskFile* fileOf(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<DiskFile*>(handle);
}

}  // namespace

DiskFile* openForReading(const wchar_t* path) {
    return fileOf(CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool fileSize(DiskFile* file, uint64_t& size) {
    LARGE_INTEGER value;
    if (fileFaults.sizeFails || !GetFileSizeEx(handleOf(file), &value)) return false;
    size = uint64_t(value.QuadPart);
    return true;
}

bool readBytes(DiskFile* file, void* buffer, size_t count, size_t& got) {
    got = 0;
    DWORD read = 0;
    if (fileFaults.readFails || !ReadFile(handleOf(file), buffer, DWORD(count), &read, nullptr)) return false;
    got = read;
    return true;
}

DiskFile* createForWriting(const wchar_t* path) {
    return fileOf(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A disk that fills up midway: the first bytes are written, then the call fails.
bool writeBytes(DiskFile* file, const void* data, size_t count) {
    size_t allowed = count;
    if (fileFaults.writeFailsAfter >= 0 && size_t(fileFaults.writeFailsAfter) < count)
        allowed = size_t(fileFaults.writeFailsAfter);
    DWORD written = 0;
    if (allowed > 0 && !WriteFile(handleOf(file), data, DWORD(allowed), &written, nullptr)) return false;
    return allowed == count && written == count;
}

bool finishWriting(DiskFile* file) {
    const bool flushed = FlushFileBuffers(handleOf(file)) != 0 && !fileFaults.flushFails;
    return CloseHandle(handleOf(file)) != 0 && flushed;
}

void closeFile(DiskFile* file) {
    if (file != nullptr) CloseHandle(handleOf(file));
}

bool replaceFile(const wchar_t* source, const wchar_t* target) {
    if (fileFaults.replaceFails) return false;
    return MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void removeFile(const wchar_t* path) {
    DeleteFileW(path);
}
