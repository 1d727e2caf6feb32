// The save file's file operations and error box over memory.
#include "tests/unit/file_io_double.h"

#include <algorithm>

#include "base/error_box.h"
#include "records/file_io.h"

FileFaults fileFaults;
std::map<std::wstring, Bytes> diskFiles;
std::vector<ShownError> shownErrors;
int locksHeld = 0;
bool lastReplaceLocked = false;
long long sleptMs = 0;

// An open file: its path and, for reading, where the next byte comes from.
struct DiskFile {
    std::wstring path;
    size_t position = 0;
    bool lock = false;
};

void sleepMs(int ms) {
    sleptMs += ms;
}

void showError(Window owner, const wchar_t* text) {
    if (text != nullptr) shownErrors.push_back({owner, text});
}

OpenOutcome openForReading(const wchar_t* path, DiskFile*& file) {
    file = nullptr;
    if (diskFiles.count(path) == 0) return OpenOutcome::missing;
    if (fileFaults.opensInUse != 0) {
        if (fileFaults.opensInUse > 0) --fileFaults.opensInUse;
        return OpenOutcome::inUse;
    }
    file = new DiskFile{path};
    return OpenOutcome::opened;
}

OpenOutcome holdLockFile(const wchar_t* path, DiskFile*& lock) {
    ++locksHeld;
    lock = new DiskFile{path, 0, true};
    return OpenOutcome::opened;
}

uint32_t thisProcessNumber() {
    return 4321;
}

bool fileSize(DiskFile* file, uint64_t& size) {
    if (fileFaults.sizeFails) return false;
    size = diskFiles[file->path].size();
    return true;
}

bool readBytes(DiskFile* file, void* buffer, size_t count, size_t& got) {
    got = 0;
    if (fileFaults.readFails) return false;
    const Bytes& bytes = diskFiles[file->path];
    got = std::min(count, bytes.size() - file->position);
    std::copy_n(bytes.begin() + file->position, got, static_cast<uint8_t*>(buffer));
    file->position += got;
    return true;
}

DiskFile* createForWriting(const wchar_t* path) {
    diskFiles[path].clear();
    return new DiskFile{path};
}

// A disk that fills up midway: the first bytes are written, then the call fails.
bool writeBytes(DiskFile* file, const void* data, size_t count) {
    size_t allowed = count;
    if (fileFaults.writeFailsAfter >= 0 && size_t(fileFaults.writeFailsAfter) < count)
        allowed = size_t(fileFaults.writeFailsAfter);
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    Bytes& contents = diskFiles[file->path];
    contents.insert(contents.end(), bytes, bytes + allowed);
    return allowed == count;
}

bool finishWriting(DiskFile* file) {
    delete file;
    return !fileFaults.flushFails;
}

void closeFile(DiskFile* file) {
    if (file != nullptr && file->lock) --locksHeld;
    delete file;
}

bool replaceFile(const wchar_t* source, const wchar_t* target) {
    const auto moved = diskFiles.find(source);
    lastReplaceLocked = locksHeld > 0;
    if (fileFaults.replaceFails || moved == diskFiles.end()) return false;
    Bytes bytes = std::move(moved->second);
    diskFiles.erase(moved);
    diskFiles[target] = std::move(bytes);
    return true;
}

void removeFile(const wchar_t* path) {
    diskFiles.erase(path);
}
