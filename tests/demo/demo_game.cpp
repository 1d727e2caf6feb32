// The demo game, run under Wine by tools/demo.sh: plays one game of VARLO.EXE
// through the end-to-end driver and records it. A second thread captures the
// window 25 times a second into a raw BGR24 stream (a FIFO that ffmpeg reads);
// frame 0's QueryPerformanceCounter time anchors the MIDI file written from the
// double's log, so picture and sound line up. The screens of the key moments
// are saved as BMP files for the contact sheet, and demo.txt gives the figures.
//   varlo_demo_game.exe OUT_FOLDER    (a Windows path; OUT_FOLDER\frames.bgr must exist)
#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "driver.h"
#include "records/persistent_block.h"
#include "resources/resource.h"
#include "screen_images.h"
#include "display/palette.h"

namespace {

constexpr int kWidth = 630, kHeight = 250;
constexpr double kFrameMs = 40;  // 25 frames a second
constexpr int kStageIndex = 7;   // the last stage, from the digest-play menu
constexpr int kOrders = 10;
constexpr char kName[] = "DEMO";
// A question comes some seconds after the last; a show at most a hold after the last.
constexpr DWORD kQuestionTimeoutMs = 30000;
constexpr DWORD kShowTimeoutMs = 20000;
constexpr DWORD kScreenTimeoutMs = 5000;
// Pauses that let a viewer read a screen; the game does not depend on them.
constexpr DWORD kViewMs = 2500, kKeystrokeMs = 250;

// The message area where the game types; its second line holds the hint.
constexpr int kMessageLeft = 248, kMessageTop = 165, kMessageWidth = 360, kMessageHeight = 61;
constexpr int kHintRow = 16;
constexpr COLORREF kTypedColour = kTypedTextColour;
constexpr uint32_t kMarkedKey = driver::pixelOf(kMarkedKeyColour);
constexpr uint32_t kVerdictFace = driver::pixelOf(kVerdictFaceColour);

bool missedOrder(int order) { return order == 4 || order == 7; }  // two misses of the three allowed

std::wstring folder;  // where everything goes

bool anyPixel(const driver::Capture& c, int left, int top, int right, int bottom, uint32_t colour) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (c.at(x, y) == colour) return true;
    return false;
}

void appendLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void appendBe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

void toBgr(const driver::Capture& c, std::vector<uint8_t>& out) {
    out.resize(size_t(c.width) * c.height * 3);
    uint8_t* p = out.data();
    for (uint32_t pixel : c.pixels) {
        *p++ = uint8_t(pixel);
        *p++ = uint8_t(pixel >> 8);
        *p++ = uint8_t(pixel >> 16);
    }
}

// A 24-bit bottom-up BMP of the capture.
bool saveBmp(const driver::Capture& c, const wchar_t* name) {
    const uint32_t stride = (uint32_t(c.width) * 3 + 3) & ~3u, imageBytes = stride * uint32_t(c.height);
    std::vector<uint8_t> bmp = {'B', 'M'};
    appendLe(bmp, 54 + imageBytes, 4);
    appendLe(bmp, 0, 4);
    appendLe(bmp, 54, 4);
    appendLe(bmp, 40, 4);
    appendLe(bmp, uint32_t(c.width), 4);
    appendLe(bmp, uint32_t(c.height), 4);
    appendLe(bmp, 1, 2);
    appendLe(bmp, 24, 2);
    appendLe(bmp, 0, 4);  // BI_RGB
    appendLe(bmp, imageBytes, 4);
    appendLe(bmp, 2835, 4);
    appendLe(bmp, 2835, 4);
    appendLe(bmp, 0, 8);
    for (int y = c.height - 1; y >= 0; --y) {
        for (int x = 0; x < c.width; ++x) appendLe(bmp, c.at(x, y), 3);
        bmp.resize(bmp.size() + (stride - uint32_t(c.width) * 3));
    }
    return driver::writeFile(folder + L"\\" + name, bmp);
}

// A standard MIDI file, format 0, one tick a millisecond: the piano on channel
// 1, then every note-on and note-off of the log at its time after frame 0.
std::vector<uint8_t> midiFile(const std::vector<driver::MidiCall>& calls, double frameZeroMs) {
    std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03};  // tempo: a quarter note is a second
    appendBe(track, 1000000, 3);
    track.insert(track.end(), {0x00, 0xC0, 0x00});  // program change: acoustic grand piano
    uint32_t last = 0;
    for (const driver::MidiCall& call : calls) {
        const uint32_t status = call.value & 0xF0;
        if (call.function != "midiOutShortMsg" || (status != 0x80 && status != 0x90)) continue;
        const double at = std::round(call.ms - frameZeroMs);
        const uint32_t tick = at > last ? uint32_t(at) : last;
        uint32_t delta = tick - last, vlq = delta & 0x7F;
        last = tick;
        while (delta >>= 7) vlq = vlq << 8 | 0x80 | (delta & 0x7F);
        for (;; vlq >>= 8) {
            track.push_back(uint8_t(vlq));
            if (!(vlq & 0x80)) break;
        }
        track.insert(track.end(), {uint8_t(call.value), uint8_t(call.value >> 8 & 0x7F),
                                   uint8_t(call.value >> 16 & 0x7F)});
    }
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    appendBe(file, 1000, 2);  // ticks a quarter note
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    appendBe(file, uint32_t(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// Captures the window at a constant rate into the stream. A frame whose time
// passed while an earlier one was captured or written repeats that one, so
// frame n always shows the window as it was about n * 40 ms after frame 0.
class FrameStream {
public:
    bool open(HWND window) {
        window_ = window;
        file_ = CreateFileW((folder + L"\\frames.bgr").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return false;
        thread_ = std::thread([this] { run(); });
        return true;
    }
    // Stops capturing and closes the stream; false if a write failed.
    bool close() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        return !failed_;
    }
    double frameZeroMs() const { return frameZeroMs_; }
    size_t frames() const { return frames_; }
    size_t captures() const { return captures_; }

private:
    void run() {
        std::vector<uint8_t> frame(size_t(kWidth) * kHeight * 3, 0);
        driver::Capture shot;
        frameZeroMs_ = driver::nowMs();
        while (!stop_ && !failed_) {
            const double due = frameZeroMs_ + double(frames_) * kFrameMs, now = driver::nowMs();
            if (now < due) {
                Sleep(DWORD(due - now));
                continue;
            }
            // The window closing at the end keeps the last picture.
            if (driver::capture(window_, shot) && shot.width == kWidth && shot.height == kHeight) {
                toBgr(shot, frame);
                ++captures_;
            }
            do {
                DWORD written = 0;
                if (!WriteFile(file_, frame.data(), DWORD(frame.size()), &written, nullptr) || written != frame.size())
                    failed_ = true;
                ++frames_;
            } while (!failed_ && frameZeroMs_ + double(frames_) * kFrameMs <= driver::nowMs());
        }
    }

    HWND window_ = nullptr;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::thread thread_;
    std::atomic<bool> stop_{false}, failed_{false};
    std::atomic<double> frameZeroMs_{0};
    std::atomic<size_t> frames_{0}, captures_{0};
};

driver::Program program;
FrameStream stream;

int fail(const char* what) {
    std::fprintf(stderr, "demo: %s\n", what);
    stream.close();
    driver::terminate(program);
    return 1;
}

// Waits for a screen and saves the capture that showed it.
template <class Pred> bool keyFrame(const wchar_t* name, Pred pred, DWORD timeoutMs = kScreenTimeoutMs) {
    driver::Capture screen;
    return driver::waitForScreen(program.window, screen, pred, timeoutMs) && saveBmp(screen, name);
}

// The message area with `text` wholly typed on its black panel.
driver::Capture typedMessage(const wchar_t* text) {
    return images::drawnOver(images::black(kMessageWidth, kMessageHeight), [&](HDC dc) {
        images::drawText(dc, 16, kTypedColour, text, RECT{0, 0, kMessageWidth, kMessageHeight}, DT_NOPREFIX);
    });
}

// Whether the hint line, the message area's second, reads as the typed message's.
bool hintReads(const driver::Capture& screen, const driver::Capture& message) {
    return images::differences(screen, kMessageLeft, kMessageTop, message, kHintRow) == 0;
}

// The first question, played out step by step for the contact sheet: the
// question screen with its hint, the marked keys, then the verdict.
bool firstQuestion() {
    if (!driver::waitForSoundingEnd(program, 0, kQuestionTimeoutMs)) return false;
    const std::vector<int> notes = driver::soundingsOf(program)[0].notes;
    const driver::Capture replayHint = typedMessage(L"\n右クリックでもう一度再生");
    const driver::Capture confirmHint = typedMessage(L"\n右クリックで確定");
    if (!keyFrame(L"2-question.bmp", [&](const driver::Capture& c) { return hintReads(c, replayHint); })) return false;
    for (int note : notes) {
        const POINT at = driver::keyPoint(kStageIndex, note);
        driver::leftClick(program.window, at.x, at.y);
    }
    if (!keyFrame(L"3-marks.bmp", [&](const driver::Capture& c) {
            for (int note : notes) {
                const POINT at = driver::keyPoint(kStageIndex, note);
                if (c.at(at.x, at.y) != kMarkedKey) return false;
            }
            return hintReads(c, confirmHint);
        }))
        return false;
    Sleep(kViewMs / 2);
    return driver::rightClickUntilSounding(program, 1, kQuestionTimeoutMs) &&
           keyFrame(L"4-verdict.bmp", [](const driver::Capture& c) {
               return anyPixel(c, 165, 60, 465, 158, kVerdictFace);
           });
}


bool typeName() {
    RECT caret{};
    for (const char* c = kName; *c != '\0'; ++c) {
        if (!driver::caretOf(program.window, caret)) return false;
        const LONG before = caret.left;
        driver::typeChar(program.window, wchar_t(*c));
        if (!driver::waitFor([&] { return driver::caretOf(program.window, caret) && caret.left > before; }))
            return false;
        Sleep(kKeystrokeMs);
    }
    return true;
}

bool writeText(const std::wstring& name, const std::string& text) {
    return driver::writeFile(folder + L"\\" + name, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: varlo_demo_game OUT_FOLDER\n");
        return 2;
    }
    folder = argv[1];
    const driver::Capture title = images::titlePicture();
    if (title.width != kWidth) return fail("the title picture cannot be read from VARLO.EXE");
    program.folder = driver::makeScratchFolder(L"DemoGame");
    if (program.folder.empty() || !driver::start(program)) return fail("VARLO.EXE did not start");
    if (driver::waitForWindow(program) == nullptr) return fail("no main window");
    if (!stream.open(program.window)) return fail("the frame stream OUT_FOLDER\\frames.bgr cannot be opened");

    auto titleWhole = [&](const driver::Capture& c) { return c.pixels == title.pixels; };
    auto rankingWhole = [](const driver::Capture& c) { return images::firstHatchedRow(c) == 0; };
    if (!keyFrame(L"1-title.bmp", titleWhole, kShowTimeoutMs)) return fail("the title did not show");
    if (!driver::waitForPixels(program.window, rankingWhole, kShowTimeoutMs)) return fail("the ranking did not slide in");
    Sleep(kViewMs);

    const double gameStartMs = driver::nowMs();
    driver::command(program.window, IDM_STAGE_1 + kStageIndex);
    if (!firstQuestion()) return fail("the first question was not asked, marked or judged");
    for (int order = 2; order <= kOrders; ++order) {
        if (!driver::answerQuestion(program, size_t(order - 1) * 2, kStageIndex, !missedOrder(order),
                                    kQuestionTimeoutMs))
            return fail("a question was not asked or not judged");
    }
    const driver::Capture cleared = typedMessage(L"ステージ8をクリアした。");
    if (!keyFrame(L"5-stage-clear.bmp", [&](const driver::Capture& c) {
            return images::differences(c, kMessageLeft, kMessageTop, cleared) == 0;
        }, kQuestionTimeoutMs))
        return fail("the stage was not cleared");

    // The celebration lasts under two seconds; a frame from its middle shows the balls spread.
    driver::Capture balls;
    if (!driver::waitForScreen(program.window, balls, images::celebrating, kQuestionTimeoutMs))
        return fail("no celebration");
    const double celebrationMs = driver::nowMs();
    driver::waitForScreen(program.window, balls, [&](const driver::Capture& c) {
        return images::celebrating(c) && driver::nowMs() - celebrationMs > 700;
    }, kScreenTimeoutMs);
    if (!saveBmp(balls, L"6-celebration.bmp")) return fail("6-celebration.bmp cannot be written");

    RECT caret{};
    if (!driver::waitFor([&] { return driver::caretOf(program.window, caret); }, kQuestionTimeoutMs))
        return fail("the score did not enter the ranking");
    if (!keyFrame(L"7-results.bmp", images::resultsTitled))
        return fail("no results");
    Sleep(kViewMs);
    if (!typeName()) return fail("the name was not typed");
    if (!keyFrame(L"8-name-entry.bmp", [](const driver::Capture&) { return true; })) return fail("no name entry");
    Sleep(kViewMs / 2);
    driver::typeChar(program.window, L'\r');
    if (!driver::waitFor([&] { return !driver::caretOf(program.window, caret); })) return fail("the name was not taken");

    if (!driver::waitForPixels(program.window, titleWhole, kShowTimeoutMs)) return fail("the title did not follow");
    if (!keyFrame(L"9-ranking.bmp", rankingWhole, kShowTimeoutMs)) return fail("the new ranking did not slide in");
    Sleep(kViewMs + 500);
    const double gameEndMs = driver::nowMs();
    if (!stream.close()) return fail("the frame stream broke off (did ffmpeg end?)");

    driver::close(program.window);
    if (driver::waitForExit(program) != 0) return fail("VARLO.EXE did not end with code 0");
    PersistentBlock block{};
    if (!driver::readSavedBlock(driver::pathIn(program, L"VARLO.DAT"), block) || std::string(block.rows[0].name) != kName)
        return fail("VARLO.DAT does not hold the name in the first row");

    const std::vector<driver::MidiCall> calls = driver::readMidiLog(program);
    const std::vector<driver::Sounding> sounds = driver::soundings(calls);
    if (sounds.size() != size_t(kOrders) * 2) return fail("not ten questions and ten judgements in the MIDI log");
    if (!driver::writeFile(folder + L"\\demo.mid", midiFile(calls, stream.frameZeroMs())))
        return fail("demo.mid cannot be written");

    char figures[512];
    std::snprintf(figures, sizeof figures,
                  "frames %zu\nfps 25\nwidth %d\nheight %d\ncaptures %zu\nvideo_ms %.0f\ngame_start_ms %.0f\n"
                  "game_end_ms %.0f\nfirst_note_on_ms %.0f\nlast_note_off_ms %.0f\nscore %d\nmisses %d\nname %s\n",
                  stream.frames(), kWidth, kHeight, stream.captures(), double(stream.frames()) * kFrameMs,
                  gameStartMs - stream.frameZeroMs(), gameEndMs - stream.frameZeroMs(),
                  sounds.front().onMs - stream.frameZeroMs(),
                  sounds.back().lastOffMs - stream.frameZeroMs(), int(block.rows[0].score),
                  int(block.rows[0].missTotal), kName);
    if (!writeText(L"demo.txt", figures)) return fail("demo.txt cannot be written");
    std::fputs(figures, stdout);
    driver::terminate(program);
    return 0;
}
