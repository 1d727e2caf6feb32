// VARLO.DAT files no run of the program writes: cut at every byte, of other
// versions, with row counts and names out of bounds, payloads of the wrong
// length, ten megabytes, random bytes. The real program opens each, shows
// the title and then the ranking in time, and leaves a whole file at exit.
// Programs run six at a time, each in a folder of its own; VARLO_STRESS_ROUNDS
// (make fuzz) opens the whole corpus, make test a sample of it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "screen_images.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct NamedFile {
    std::string name;
    Bytes bytes;
};

// The driver reads a window's pixels through the screen, so the windows must
// not overlap: six fit on the 1280 x 1024 test screen.
constexpr size_t kAtOnce = 6;
constexpr DWORD kRankingTimeoutMs = 30000;  // title, its 12 s hold and the slide, six programs at once

PersistentBlock rankedBlock() {
    PersistentBlock block = defaultBlock();
    block.windowLeft = 40;
    block.windowTop = 30;
    block.rowCount = 3;
    std::strcpy(block.rows[0].name, "Mika");
    std::strcpy(block.rows[1].name, "Jun");
    return block;
}

Bytes withVersion(uint32_t version, const Bytes& payload) {
    Bytes file(kVersionBytes + payload.size());
    for (size_t i = 0; i < kVersionBytes; ++i) file[i] = uint8_t(version >> (8 * i));
    std::copy(payload.begin(), payload.end(), file.begin() + kVersionBytes);
    return file;
}

// A save file of version 1 holding these raw bytes as its block, whatever their length.
Bytes fileOfRaw(const Bytes& raw) {
    Bytes payload;
    EXPECT_EQ(compressBlock(raw.data(), raw.size(), payload), CodecResult::ok);
    return withVersion(1, payload);
}

Bytes withRowCount(uint32_t rowCount) {
    Bytes raw = rawOf(rankedBlock());
    for (int i = 0; i < 4; ++i) raw[8 + i] = uint8_t(rowCount >> (8 * i));
    return fileOfRaw(raw);
}

// The corpus; `whole` for every cut, else every 23rd.
std::vector<NamedFile> hostileFiles(bool whole) {
    std::vector<NamedFile> files;
    Bytes good;
    EXPECT_EQ(buildSaveFile(rankedBlock(), good), CodecResult::ok);
    for (size_t size = 0; size < good.size(); size += whole ? 1 : 23)
        files.push_back({"cut to " + std::to_string(size), Bytes(good.begin(), good.begin() + size)});
    for (uint32_t version : {0u, 2u, 0x100u, 0xFFFFFFFFu})
        files.push_back({"version " + std::to_string(version), withVersion(version, Bytes(good.begin() + 4, good.end()))});
    for (uint32_t rowCount : {0xFFFFFFFFu, 6u, 0x7FFFFFFFu, 0x80000000u})
        files.push_back({"row count " + std::to_string(int32_t(rowCount)), withRowCount(rowCount)});
    Bytes unterminated = rawOf(rankedBlock());
    for (int row = 0; row < kRankingRows; ++row)
        std::memset(&unterminated[kBlockHeaderBytes + row * kEntryBytes + kEntryBytes - kNameBytes], 'A', kNameBytes);
    files.push_back({"names without their zero", fileOfRaw(unterminated)});
    for (size_t length : {size_t(0), kBlockBytes - 1, kBlockBytes + 1, size_t(600)})
        files.push_back({"block of " + std::to_string(length) + " bytes", fileOfRaw(Bytes(length, 0x41))});
    std::mt19937 random(20261208);
    Bytes huge = withVersion(1, Bytes(10u << 20));
    for (auto& b : huge) b = uint8_t(random());
    huge[0] = 1, huge[1] = huge[2] = huge[3] = 0;
    files.push_back({"ten megabytes", huge});
    for (int i = 0; i < (whole ? 16 : 2); ++i) {
        Bytes noise(random() % 800);
        for (auto& b : noise) b = uint8_t(random());
        if (i % 2 == 0) noise = withVersion(1, noise);
        files.push_back({"random " + std::to_string(i), noise});
    }
    return files;
}

class HostileSaveFiles : public VarloTest {
protected:
    std::vector<driver::Program> running;

    void TearDown() override {
        for (auto& p : running) driver::terminate(p);
        VarloTest::TearDown();
    }

    // Opens the files at once, each by a program of its own; returns how many failed.
    int openAtOnce(const std::vector<NamedFile>& files, size_t first, size_t count) {
        running.assign(count, driver::Program{});
        int failed = 0;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        for (size_t i = 0; i < count; ++i) {
            running[i].folder = driver::makeScratchFolder(std::wstring(L"Hostile.") + std::to_wstring(i));
            EXPECT_FALSE(running[i].folder.empty()) << info->name();
            EXPECT_TRUE(driver::writeFile(driver::pathIn(running[i], L"VARLO.DAT"), files[first + i].bytes));
            EXPECT_TRUE(driver::start(running[i]));
        }
        for (size_t i = 0; i < count; ++i) {
            running[i].window = driver::waitForWindow(running[i]);
            if (running[i].window != nullptr) {
                SetWindowPos(running[i].window, nullptr, int(i % 2) * 640, int(i / 2) * 330, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        for (size_t i = 0; i < count; ++i) {
            const NamedFile& file = files[first + i];
            driver::Program& p = running[i];
            const bool ranking = p.window != nullptr && driver::waitForPixels(p.window, [](const driver::Capture& c) {
                return images::firstHatchedRow(c) == 0;
            }, kRankingTimeoutMs);
            EXPECT_TRUE(ranking) << file.name << ": the ranking did not show";
            EXPECT_EQ(driver::waitForMessageBox(p, 0), nullptr) << file.name << ": a message box came";
            if (p.window != nullptr) driver::close(p.window);
            const long exitCode = driver::waitForExit(p, 20000);
            EXPECT_EQ(exitCode, 0) << file.name;
            Bytes saved;
            const bool read = driver::readFile(driver::pathIn(p, L"VARLO.DAT"), saved);
            EXPECT_TRUE(read) << file.name;
            {
                SCOPED_TRACE(file.name);
                expectWholeTable(saved);
            }
            PersistentBlock block{};
            const bool whole = read && parseSaveFile(saved.data(), saved.size(), block) == LoadOutcome::loaded;
            if (!ranking || exitCode != 0 || !whole) ++failed;
            driver::terminate(p);
        }
        return failed;
    }
};

TEST_F(HostileSaveFiles, EachOpensShowsTheRankingAndIsLeftWhole) {
    const bool whole = stressRounds() > 0;
    const std::vector<NamedFile> files = hostileFiles(whole);
    int failed = 0;
    for (size_t first = 0; first < files.size(); first += kAtOnce)
        failed += openAtOnce(files, first, std::min(kAtOnce, files.size() - first));
    std::printf("hostile files opened: %zu, failures: %d\n", files.size(), failed);
}

}  // namespace
