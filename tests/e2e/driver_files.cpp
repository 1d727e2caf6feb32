// Files in the scratch folder: their paths, reading and writing, the saved table loaded.
#include "driver_internal.h"

#include "records/persistent_block.h"

namespace driver {

std::wstring pathIn(const Program& program, const std::wstring& name) {
    return join(program.folder, name);
}

bool readFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    uint8_t buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    CloseHandle(file);
    return ok;
}

bool writeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                                      written == bytes.size());
    return CloseHandle(file) && ok;
}

bool readSavedBlock(const std::wstring& path, PersistentBlock& block) {
    std::vector<uint8_t> bytes;
    return readFile(path, bytes) && parseSaveFile(bytes.data(), bytes.size(), block) == LoadOutcome::loaded;
}

}  // namespace driver
