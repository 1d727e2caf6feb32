// VARLO.DAT on the disk. The bytes themselves are built and checked by the
// block code; this file only moves them and reports what the player must hear of.
#include "records/save_file.h"

#include <exception>
#include <string>
#include <vector>

#include "base/error_box.h"
#include "base/sleep.h"
#include "records/file_io.h"
#include "records/shared_records.h"

namespace {

const wchar_t kCannotRead[] = L"ファイルを読み込めません。";
const wchar_t kCannotWrite[] = L"ファイルに書き込めません。";
const wchar_t kOutOfMemory[] = L"メモリが足りません。";
// Held while the file is read and replaced, so that two copies of the game
// never both read the same file and then each write over the other's rows.
const wchar_t kLockSuffix[] = L".lock";

// A failed write is reported once: the saves after it stay silent until one
// succeeds, so a folder that cannot be written to does not bring the same box
// at every name and again at the close. UI thread only.
bool writeFailureReported = false;

// The new file is written under a name of this copy's own beside the old one
// (two copies saving at once must not write into one temporary file), and
// replaces the old one only once it is complete.
std::wstring temporaryPathFor(const std::wstring& path) {
    return path + L"." + std::to_wstring(thisProcessNumber()) + L".tmp";
}

// Writes `bytes` as the file at `path`: first to a temporary file beside it,
// which then takes the old file's place. The old file stays as it was unless
// the new one is complete on the disk.
bool writeWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    const std::wstring temporary = temporaryPathFor(path);
    DiskFile* file = createForWriting(temporary.c_str());
    if (file == nullptr) return false;
    const bool written = writeBytes(file, bytes.data(), bytes.size());
    const bool finished = finishWriting(file);
    if (written && finished && replaceFile(temporary.c_str(), path.c_str())) return true;
    removeFile(temporary.c_str());
    return false;
}

// What one look at the file found, and what the start-up tells the player.
enum class Found { valid, missing, foreign, unreadable };
struct Look {
    Found found;
    const wchar_t* problem;  // the start-up's message, or null
    bool worthRetrying;      // another program may be holding the file
};

Look lookOnce(const wchar_t* path, PersistentBlock& block) {
    DiskFile* file = nullptr;
    switch (openForReading(path, file)) {
    case OpenOutcome::opened: break;
    case OpenOutcome::missing: return {Found::missing, nullptr, false};
    case OpenOutcome::inUse: return {Found::unreadable, nullptr, true};
    case OpenOutcome::refused: return {Found::unreadable, nullptr, false};
    }
    uint64_t size = 0;
    if (!fileSize(file, size)) {
        closeFile(file);
        return {Found::unreadable, kCannotRead, false};
    }
    // Too short to hold its version, or longer than any save can be: not ours
    // (and a foreign file is not worth a buffer of its size).
    if (size < kVersionBytes || size > kLargestSaveFile) {
        closeFile(file);
        return {Found::foreign, nullptr, false};
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size_t(size));
    } catch (const std::exception&) {
        closeFile(file);
        return {Found::unreadable, kOutOfMemory, false};
    }
    size_t got = 0;
    const bool read = readBytes(file, bytes.data(), bytes.size(), got);
    closeFile(file);
    // A read also fails while another program has locked part of the file.
    if (!read) return {Found::unreadable, kCannotRead, true};
    switch (parseSaveFile(bytes.data(), got, block)) {
    case LoadOutcome::loaded: return {Found::valid, nullptr, false};
    case LoadOutcome::outOfMemory: return {Found::unreadable, kOutOfMemory, false};
    case LoadOutcome::useDefaults: break;
    }
    return {Found::foreign, nullptr, false};
}

bool heldByAnother(const Look& seen) {
    return seen.worthRetrying;
}
bool heldByAnother(OpenOutcome outcome) {
    return outcome == OpenOutcome::inUse;
}

// `attempt` again a pause apart while another program holds the file, for about a second.
template <class Attempt>
auto waitingOutHolders(Attempt attempt) -> decltype(attempt()) {
    auto result = attempt();
    for (int tries = 1; heldByAnother(result) && tries < kFileInUseTries; ++tries) {
        sleepMs(kFileInUsePauseMs);
        result = attempt();
    }
    return result;
}

// The file as it is now.
Look look(const wchar_t* path, PersistentBlock& block) {
    return waitingOutHolders([&] { return lookOnce(path, block); });
}

// The lock beside the file at `path`; null when it cannot be had, and the file
// is then used without it.
DiskFile* lockSaveFile(const wchar_t* path) {
    const std::wstring lockPath = std::wstring(path) + kLockSuffix;
    DiskFile* lock = nullptr;
    waitingOutHolders([&] { return holdLockFile(lockPath.c_str(), lock); });
    return lock;
}

// The file's bytes for `block` written over the file at `savePath`. Wanting
// memory for them has its own message and is no failed write.
enum class Written { yes, no, outOfMemory };
Written writeBlock(const wchar_t* savePath, const PersistentBlock& block) {
    std::vector<uint8_t> bytes;
    if (buildSaveFile(block, bytes) != CodecResult::ok) return Written::outOfMemory;
    return writeWholeFile(savePath, bytes) ? Written::yes : Written::no;
}

}  // namespace

bool readSaveFile(const wchar_t* savePath, PersistentBlock& block) {
    DiskFile* lock = lockSaveFile(savePath);
    const Look seen = look(savePath, block);
    closeFile(lock);
    if (seen.problem != nullptr) showError(nullptr, seen.problem);
    return seen.found == Found::valid;
}

void saveSharedRecords(const wchar_t* savePath, Window owner) {
    DiskFile* lock = lockSaveFile(savePath);
    PersistentBlock onDisk = defaultBlock();
    const Found found = look(savePath, onDisk).found;
    Written written = Written::no;
    RecordsToSave saved{};
    // A file that is there but could not be read may hold rows this run has
    // never seen (it may have been held by another program at start-up, when
    // the defaults took its place): it is not replaced.
    if (found != Found::unreadable) {
        saved = recordsToSave(found == Found::valid ? &onDisk : nullptr);
        written = writeBlock(savePath, saved.block);
    }
    // Released before any message box, whose message loop may run another save.
    closeFile(lock);
    if (written == Written::yes) {
        forgetSavedRows(saved.newRows);
        writeFailureReported = false;
    } else if (written == Written::outOfMemory) {
        showError(owner, kOutOfMemory);
    } else if (!writeFailureReported) {
        // Set first: the box's own message loop may run another save.
        writeFailureReported = true;
        showError(owner, kCannotWrite);
    }
}
