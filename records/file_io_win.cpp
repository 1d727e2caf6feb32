// The save file's file operations as Win32 calls; a DiskFile* is a file HANDLE.
#include "records/file_io.h"

#include <windows.h>

namespace {

HANDLE handleOf(DiskFile* file) {
    return reinterpret_cast<HANDLE>(file);
}

DiskFile* fileOf(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<DiskFile*>(handle);
}

// The outcome of a CreateFileW that returned `handle`.
OpenOutcome outcomeOf(HANDLE handle, DiskFile*& file) {
    file = fileOf(handle);
    if (file != nullptr) return OpenOutcome::opened;
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return OpenOutcome::missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return OpenOutcome::inUse;
    default:
        return OpenOutcome::refused;
    }
}

}  // namespace

OpenOutcome openForReading(const wchar_t* path, DiskFile*& file) {
    // Shared for reading: a backup program or the search indexer reading the
    // file at the same moment does not shut the game out, while a writer does.
    return outcomeOf(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr),
                     file);
}

OpenOutcome holdLockFile(const wchar_t* path, DiskFile*& lock) {
    // Not shared at all, and deleted by the system when the last handle
    // closes, also when the process is killed.
    return outcomeOf(CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr),
                     lock);
}

uint32_t thisProcessNumber() {
    return GetCurrentProcessId();
}

bool fileSize(DiskFile* file, uint64_t& size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(handleOf(file), &value)) return false;
    size = uint64_t(value.QuadPart);
    return true;
}

bool readBytes(DiskFile* file, void* buffer, size_t count, size_t& got) {
    got = 0;
    if (count > MAXDWORD) return false;
    DWORD read = 0;
    if (!ReadFile(handleOf(file), buffer, DWORD(count), &read, nullptr)) return false;
    got = read;
    return true;
}

DiskFile* createForWriting(const wchar_t* path) {
    return fileOf(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool writeBytes(DiskFile* file, const void* data, size_t count) {
    if (count > MAXDWORD) return false;
    DWORD written = 0;
    return WriteFile(handleOf(file), data, DWORD(count), &written, nullptr) && written == count;
}

bool finishWriting(DiskFile* file) {
    const bool flushed = FlushFileBuffers(handleOf(file)) != 0;
    const bool closed = CloseHandle(handleOf(file)) != 0;
    return flushed && closed;
}

void closeFile(DiskFile* file) {
    if (file != nullptr) CloseHandle(handleOf(file));
}

bool replaceFile(const wchar_t* source, const wchar_t* target) {
    // A file the player made read-only stays as it is. Windows refuses to
    // replace it anyway; Wine would not, so the rule is the program's own.
    const DWORD attributes = GetFileAttributesW(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    return MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void removeFile(const wchar_t* path) {
    DeleteFileW(path);
}
