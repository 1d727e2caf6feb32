// Perfect games of the last stage, timed on the way: each instruction typed,
// the silence before the notes and their length, a replay and every marked
// key, the judging sound, and at the end the celebration.
#include "bench_phases.h"

#include "display/canvas.h"
#include "resources/resource.h"
#include "screen_images.h"
#include "display/palette.h"

namespace bench {
namespace {

constexpr int kLastStage = 7;
constexpr DWORD kQuestionTimeoutMs = 30000;
constexpr DWORD kScreenTimeoutMs = 10000;
// A right click posted while the game waits for the answer is taken at once.
constexpr DWORD kReplayTimeoutMs = 2000;
constexpr DWORD kPinkTimeoutMs = 1000;
constexpr uint32_t kMarkedKey = driver::pixelOf(kMarkedKeyColour);
constexpr RECT kFirstLine{kMessageArea.left, kMessageArea.top, kMessageArea.right, kHintLineTop};
constexpr RECT kHintLine{kMessageArea.left, kHintLineTop, kMessageArea.right, kMessageArea.bottom};
constexpr RECT kPanel{30, 30, 600, 220};
// A white key's pixel under the verdict: the verdict's dimming changes it,
// whatever the answer coloured the key.
constexpr POINT kVerdictProbe{170, 140};

bool whiteAt(const driver::Capture& c, POINT p) { return c.at(p.x, p.y) == driver::rgb(255, 255, 255); }

class Game {
public:
    Game(GameSamples& out) : out_(out) {}
    ~Game() { driver::terminate(program_); }

    bool play(int number) {
        program_.folder = driver::makeScratchFolder(L"bench-game-" + std::to_wstring(number));
        if (program_.folder.empty() || !driver::start(program_) || driver::waitForWindow(program_) == nullptr)
            return fail("VARLO.EXE did not start");
        driver::command(program_.window, IDM_STAGE_1 + kLastStage);
        size_t next = 0;  // the question's sounding; its replay and judging sound follow
        for (int order = 1; order <= 10; ++order) {
            if (!ask(next) || !replay(next) || !mark(next) || !confirm(next)) return false;
            next += 3;
        }
        return celebrate();
    }

private:
    GameSamples& out_;
    driver::Program program_;
    const POINT middleC_ = driver::keyPoint(kLastStage, 60);
    const POINT lowC_ = driver::keyPoint(kLastStage, 36);
    const POINT highC_ = driver::keyPoint(kLastStage, 84);

    bool fail(const char* what) {
        printNote(format("game: %s", what));
        return false;
    }

    // The instruction typed over a screen without keyboard, then the keyboard and the notes.
    bool ask(size_t question) {
        const HWND window = program_.window;
        Shot first, now;
        if (!shootUntil(window, first, [&](const driver::Capture& c) { return images::hatchedAt(c, middleC_.x, middleC_.y); },
                        kQuestionTimeoutMs))
            return fail("no question screen");
        driver::Capture previous = first.pixels;
        double lastCharacter = first.at;
        int characters = 1;
        for (;;) {
            if (!shootUntil(window, now, [](const driver::Capture&) { return true; }, kScreenTimeoutMs))
                return fail("the window went away");
            if (whiteAt(now.pixels, middleC_)) break;  // the keyboard
            if (differsIn(previous, now.pixels, kFirstLine)) {
                ++characters;
                lastCharacter = now.at;
                previous = now.pixels;
            }
        }
        if (characters > 1) out_.typedLine.add((lastCharacter - first.at) * kTypedLinePauses / (characters - 1));
        if (!driver::waitForSoundingEnd(program_, question, kQuestionTimeoutMs)) return fail("the question did not sound");
        const driver::Sounding sounded = driver::soundingsOf(program_)[question];
        out_.leadIn.add(sounded.onMs - now.at);
        out_.questionNotes.add(sounded.offMs - sounded.lastOnMs);
        return true;
    }

    // Once the hint is being typed the game waits for the answer: a right click replays.
    bool replay(size_t question) {
        Shot hint;
        if (!shootUntil(program_.window, hint, [](const driver::Capture& c) { return !blackIn(c, kHintLine); },
                        kScreenTimeoutMs, 2))
            return fail("no hint after the question");
        const double clicked = driver::nowMs();
        driver::rightClick(program_.window, 600, 240);
        std::vector<driver::Sounding> found;
        if (driver::waitFor([&] { return (found = driver::soundingsOf(program_)).size() > question + 1; }, kReplayTimeoutMs))
            out_.replayToNote.add(found[question + 1].onMs - clicked);
        else if (!driver::rightClickUntilSounding(program_, question + 1, kQuestionTimeoutMs))
            return fail("no replay");
        return driver::waitForSoundingEnd(program_, question + 1, kQuestionTimeoutMs) || fail("the replay did not end");
    }

    // Each key of the question clicked alone and watched until it turns pink.
    // A mark that never shows is counted, and the game goes on: the game
    // thread may draw into the canvas at the same moment (see the report).
    bool mark(size_t question) {
        const std::vector<int> notes = driver::soundingsOf(program_)[question].notes;
        for (int note : notes) {
            const POINT at = driver::keyPoint(kLastStage, note);
            const double clicked = driver::nowMs();
            driver::leftClick(program_.window, at.x, at.y);
            uint32_t colour = 0;
            double seen = 0;
            // Read back to back: a pause between reads would be all the figure showed.
            const ULONGLONG end = GetTickCount64() + kPinkTimeoutMs;
            bool pink = false;
            while (!pink && GetTickCount64() < end)
                pink = pixelAt(program_.window, at.x, at.y, colour, seen) && colour == kMarkedKey;
            if (pink) {
                out_.clickToPink.add(seen - clicked);
            } else {
                ++out_.unseenMarks;
                printNote(format("game: the mark of note %d at (%ld, %ld) still showed %06x after %lu ms", note, at.x,
                                 at.y, unsigned(colour), kPinkTimeoutMs));
            }
        }
        return true;
    }

    // The judging sound, then the verdict: read back to back from the sound's
    // first note-on until the verdict shows, so that the end of the judging
    // step (drawing the verdict and counting) is timed from the sound's end.
    bool confirm(size_t question) {
        if (!driver::rightClickUntilSounding(program_, question + 2, kQuestionTimeoutMs)) return fail("no judging sound");
        uint32_t before = 0, colour = 0;
        double at = 0, seen = 0;
        const ULONGLONG end = GetTickCount64() + kScreenTimeoutMs;
        if (pixelAt(program_.window, kVerdictProbe.x, kVerdictProbe.y, before, at)) {
            while (seen == 0 && GetTickCount64() < end)
                if (pixelAt(program_.window, kVerdictProbe.x, kVerdictProbe.y, colour, at) && colour != before) seen = at;
        }
        if (!driver::waitForSoundingEnd(program_, question + 2, kQuestionTimeoutMs)) return fail("no judging sound");
        const driver::Sounding judged = driver::soundingsOf(program_)[question + 2];
        out_.judgingNotes.add(judged.offMs - judged.lastOnMs);
        if (seen > judged.lastOffMs) out_.soundEndToVerdict.add(seen - judged.lastOffMs);
        return true;
    }

    // From the first frame (the panel black where the keyboard was) to the
    // last frame that differs from the one before, until the results come.
    bool celebrate() {
        const HWND window = program_.window;
        Shot first, now;
        if (!shootUntil(window, first, [&](const driver::Capture& c) {
                return c.at(lowC_.x, lowC_.y) == 0 && c.at(highC_.x, highC_.y) == 0 && blackIn(c, RECT{32, 32, 40, 40}) &&
                       blackIn(c, RECT{590, 210, 598, 218}) && !images::resultsTitled(c);
            }, kQuestionTimeoutMs))
            return fail("no celebration");
        driver::Capture previous = first.pixels;
        double lastFrame = first.at;
        int frames = 1;
        for (;;) {
            if (!shootUntil(window, now, [](const driver::Capture&) { return true; }, kScreenTimeoutMs))
                return fail("the window went away");
            if (images::resultsTitled(now.pixels)) break;
            if (images::celebrating(now.pixels) && differsIn(previous, now.pixels, kPanel)) {
                ++frames;
                lastFrame = now.at;
                previous = now.pixels;
            }
        }
        out_.celebration.add(lastFrame - first.at);
        printNote(format("celebration: %d of 80 frames seen", frames));
        return true;
    }
};

}  // namespace

bool measureGames(int games, GameSamples& out) {
    for (int number = 1; number <= games; ++number) {
        Game game(out);
        if (!game.play(number)) return false;
    }
    return true;
}

}  // namespace bench
