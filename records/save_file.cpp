// VARLO.DAT on the disk. The bytes themselves are built and checked by the
// block code; this file only moves them and reports what the player must hear of.
#include "records/save_file.h"

#include <exception>
#include <string>
#include <vector>

#include "base/error_box.h"
#include "records/file_io.h"

namespace {

const wchar_t kCannotRead[] = L"ファイルを読み込めません。";
const wchar_t kCannotWrite[] = L"ファイルに書き込めません。";
const wchar_t kOutOfMemory[] = L"メモリが足りません。";
// The new file is written under this name beside the old one, which it
// replaces only once it is complete.
const wchar_t kTemporarySuffix[] = L".tmp";

// A failed write is reported once: the saves after it stay silent until one
// succeeds, so a folder that cannot be written to does not bring the same box
// at every name and again at the close. UI thread only.
bool writeFailureReported = false;

// Writes `bytes` as the file at `path`: first to a temporary file beside it,
// which then takes the old file's place. The old file stays as it was unless
// the new one is complete on the disk.
bool writeWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    const std::wstring temporary = path + kTemporarySuffix;
    DiskFile* file = createForWriting(temporary.c_str());
    if (file == nullptr) return false;
    const bool written = writeBytes(file, bytes.data(), bytes.size());
    const bool finished = finishWriting(file);
    if (written && finished && replaceFile(temporary.c_str(), path.c_str())) return true;
    removeFile(temporary.c_str());
    return false;
}

}  // namespace

bool readSaveFile(const wchar_t* savePath, PersistentBlock& block) {
    DiskFile* file = openForReading(savePath);
    if (file == nullptr) return false;  // the first run, or the file is in use
    uint64_t size = 0;
    if (!fileSize(file, size)) {
        closeFile(file);
        showError(nullptr, kCannotRead);
        return false;
    }
    // Too short to hold its version, or longer than any save can be: not ours
    // (and a foreign file is not worth a buffer of its size).
    if (size < kVersionBytes || size > kLargestSaveFile) {
        closeFile(file);
        return false;
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size_t(size));
    } catch (const std::exception&) {
        closeFile(file);
        showError(nullptr, kOutOfMemory);
        return false;
    }
    size_t got = 0;
    const bool read = readBytes(file, bytes.data(), bytes.size(), got);
    closeFile(file);
    if (!read) {
        showError(nullptr, kCannotRead);
        return false;
    }
    const LoadOutcome outcome = parseSaveFile(bytes.data(), got, block);
    if (outcome == LoadOutcome::outOfMemory) showError(nullptr, kOutOfMemory);
    return outcome == LoadOutcome::loaded;
}

void writeSaveFile(const wchar_t* savePath, const PersistentBlock& block, Window owner) {
    std::vector<uint8_t> bytes;
    if (buildSaveFile(block, bytes) != CodecResult::ok) {
        showError(owner, kOutOfMemory);
        return;
    }
    if (writeWholeFile(savePath, bytes)) {
        writeFailureReported = false;
    } else if (!writeFailureReported) {
        // Set first: the box's own message loop may run another save.
        writeFailureReported = true;
        showError(owner, kCannotWrite);
    }
}
