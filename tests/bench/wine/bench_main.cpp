// The Wine benchmarks of VARLO.EXE: its pacing against its schedule (with bare
// loops of the same sleeps beside it), its reactions, its start-up and idle
// cost against a minimal window. With --loaded 1 only the pacing is measured,
// for a run while tools/bench.sh keeps every core busy.
// Prints one tab-separated line a row (see bench_support.h); tools/bench.sh
// makes the report of them. Run under Wine with VARLO_EXE, VARLO_DOUBLES and
// VARLO_SCRATCH set, as the end-to-end tests are.
//   varlo_bench_wine [--launches N] [--idle SECONDS] [--cycles N] [--games N] [--loaded 0|1]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "bench_phases.h"
#include "display/show_effects.h"
#include "game/note_output.h"
#include "game/stage_steps.h"
#include "game/state_machine.h"
#include "game/typewriter.h"

namespace bench {
namespace {

struct Settings {
    int launches = 30;      // start-up and start command samples
    int idleSeconds = 60;
    int cycles = 3;         // title and ranking pairs watched
    int games = 3;          // perfect games of the last stage
    bool loaded = false;    // every core kept busy: the pacing only
};

// A bare loop, "COUNTxMS" as the sleep loop takes it: the floor of one span.
std::string loop(int count, int ms) { return std::to_string(count) + "x" + std::to_string(ms); }
const std::string kDissolveLoop = loop(kDissolvePauses, kShowFramePauseMs), kSlideLoop = loop(kSlidePauses, kShowFramePauseMs),
                  kCelebrationLoop = loop(kCelebrationPauses, kShowFramePauseMs),
                  kTypedLineLoop = loop(kTypedLinePauses, kCharacterPauseMs), kLeadInLoop = loop(1, kQuestionLeadInMs),
                  kNotesLoop = loop(1, kQuestionSoundMs), kJudgingLoop = loop(1, kJudgeSoundMs);
const std::string* const kFloorLoops[] = {&kDissolveLoop, &kSlideLoop,   &kCelebrationLoop, &kTypedLineLoop,
                                          &kLeadInLoop,   &kNotesLoop,   &kJudgingLoop};
constexpr int kFloorRounds = 0;  // until the shows and the games are done

std::map<std::string, Samples> parseFloors(const std::string& output) {
    std::map<std::string, Samples> floors;
    std::istringstream lines(output);
    int count = 0, ms = 0;
    double elapsed = 0;
    std::string line;
    // Only whole lines: the loop is ended wherever it is.
    while (std::getline(lines, line) && !lines.eof())
        if (std::sscanf(line.c_str(), "%d %d %lf", &count, &ms, &elapsed) == 3)
            floors[loop(count, ms)].add(elapsed);
    return floors;
}

std::string ms(double value) { return format("%.1f ms", value); }

// The pacing rows of a quiet run ("timing.*") or of a loaded one ("timing.loaded.*").
struct PacingRun {
    const char* keyPrefix;
    const char* section;
    double target;  // the highest ratio of measured to schedule
};
const PacingRun kQuiet{"timing.", "Pacing", 1.02};
const PacingRun kLoaded{"timing.loaded.", "Pacing with every core busy", 1.05};

// Measured against the schedule; the bare sleeps' median, if any, is shown beside it.
void pacingRow(const PacingRun& run, const char* key, const std::string& measure, double scheduleMs,
               const Samples& measured, const Samples* floor) {
    Row row;
    row.key = std::string(run.keyPrefix) + key;
    row.section = run.section;
    row.measure = format("%s (median of %zu)", measure.c_str(), measured.size());
    row.reference = format("%.0f ms schedule", scheduleMs);
    if (floor != nullptr)
        row.reference += format("; bare sleeps %s (n=%zu)", floor->empty() ? "not measured" : ms(floor->median()).c_str(),
                                floor->size());
    row.target = format("<= %.2f", run.target);
    if (measured.empty()) {
        row.measured = "not measured";
        row.ratio = row.verdict = "-";
    } else {
        const double ratio = measured.median() / scheduleMs;
        row.measured = ms(measured.median());
        row.ratio = format("%.3f", ratio);
        row.verdict = ratio <= run.target ? "met" : "missed";
    }
    printRow(row);
}

void pacingRows(const PacingRun& run, const ShowSamples& shows, const GameSamples& game,
                std::map<std::string, Samples>& floor) {
    const int frame = kShowFramePauseMs;
    pacingRow(run, "dissolve", format("Title dissolve, first to last frame: %d pauses of %d ms", kDissolvePauses, frame),
              kDissolvePauses * frame, shows.dissolve, &floor[kDissolveLoop]);
    pacingRow(run, "titlehold",
              format("Title dissolve and hold, first frame to the ranking's first rows: %d x %d + %d + %d ms",
                     kDissolvePauses, frame, kScreenHoldMs, frame),
              kTitleHoldScheduleMs, shows.titleHold, nullptr);
    pacingRow(run, "slide", format("Ranking slide, first rows to whole: %d pauses of %d ms", kSlidePauses, frame),
              kSlidePauses * frame, shows.slide, &floor[kSlideLoop]);
    pacingRow(run, "celebration", format("Celebration, first to last frame: %d pauses of %d ms", kCelebrationPauses, frame),
              kCelebrationPauses * frame, game.celebration, &floor[kCelebrationLoop]);
    pacingRow(run, "typewriter",
              format("Instruction typed, first to last character: %d pauses of %d ms", kTypedLinePauses, kCharacterPauseMs),
              kTypedLinePauses * kCharacterPauseMs, game.typedLine, &floor[kTypedLineLoop]);
    pacingRow(run, "leadin", format("Question screen seen to the first note-on: %d ms", kQuestionLeadInMs),
              kQuestionLeadInMs, game.leadIn, &floor[kLeadInLoop]);
    pacingRow(run, "notes", format("Question's notes, last note-on to first note-off: %d ms", kQuestionSoundMs),
              kQuestionSoundMs, game.questionNotes, &floor[kNotesLoop]);
    pacingRow(run, "judging", format("Judging sound, last note-on to first note-off: %d ms", kJudgeSoundMs), kJudgeSoundMs,
              game.judgingNotes, &floor[kJudgingLoop]);
}

// The shows and the games, with the bare sleeps running beside them under the same load.
bool measurePacing(const Settings& settings, const PacingRun& run, GameSamples& game) {
    bool ok = true;
    Helper floors;
    const std::wstring floorFolder = driver::makeScratchFolder(L"bench-floor");
    std::wstring loops = std::to_wstring(kFloorRounds);
    for (const std::string* loop : kFloorLoops) loops += L" " + std::wstring(loop->begin(), loop->end());
    if (floorFolder.empty() || !startHelper(floors, L"varlo_sleep_loop.exe", loops, floorFolder + L"\\floors.txt")) {
        printNote("floors: the sleep loop did not start");
        ok = false;
    }
    ShowSamples shows;
    ok = measureShows(settings.cycles, shows) && ok;
    ok = measureGames(settings.games, game) && ok;
    auto floor = parseFloors(finish(floors, 0));
    pacingRows(run, shows, game, floor);
    return ok;
}

std::string spread(const Samples& s) {
    return format("median %.1f ms, p95 %.1f ms, max %.1f ms (n=%zu)", s.median(), s.percentile(95), s.max(), s.size());
}

void reactionRows(const GameSamples& game, const StartSamples& start) {
    const Samples& pink = game.clickToPink;
    printRow(Row{"reaction.pink", "Reaction", "Left click to the key seen pink", spread(pink), "16 ms",
                 format("%.2f", pink.median() / 16.0), "median <= 16 ms",
                 pink.empty() ? "-" : pink.median() <= 16.0 ? "met" : "missed"});
    // The slice the hold waits in, and the drawing: the fastest try, whose start came as a slice ended.
    const Samples& go = start.startToQuestion;
    const double allowed = 100.0 + go.min();
    printRow(Row{"reaction.start", "Reaction", "Start command in the title's hold to the question screen", spread(go),
                 format("100 ms slice + %.1f ms drawing (the fastest try)", go.min()),
                 format("%.2f", go.percentile(95) / allowed), "p95 <= slice + drawing",
                 go.empty() ? "-" : go.percentile(95) <= allowed ? "met" : "missed"});
    if (game.unseenMarks > 0)
        printNote(format("%d of %zu marked keys never showed pink", game.unseenMarks,
                         game.unseenMarks + game.clickToPink.size()));
    printRow(Row{"reaction.replay", "Reaction", "Right click to the replay's first note-on", spread(game.replayToNote),
                 "-", "-", "-", "-"});
    printRow(Row{"reaction.verdict", "Reaction", "Judging sound's last note-off to the verdict seen (the judging step's end)",
                 spread(game.soundEndToVerdict), "-", "-", "-", "-"});
}

// The first tile has no target: the dissolve pauses before its first frame.
void startRows(const StartSamples& start) {
    const double reference = start.minimalFirstFrame.median();
    const auto row = [&](const char* key, const char* measure, const Samples& s, bool target) {
        const double ratio = reference > 0 ? s.median() / reference : 0;
        printRow(Row{key, "Start-up", format("%s (median of %zu)", measure, s.size()), ms(s.median()),
                     format("%s (minimal window's first frame, median of %zu)", ms(reference).c_str(),
                            start.minimalFirstFrame.size()),
                     format("%.2f", ratio), target ? "<= 1.2" : "-",
                     !target || s.empty() || reference <= 0 ? "-" : ratio <= 1.2 ? "met" : "missed"});
    };
    row("startup.frame", "CreateProcess to the first frame (all black)", start.firstFrame, true);
    row("startup.tile", "CreateProcess to the title's first tile", start.firstTile, false);
}

void idleRows(const IdleFigures& idle) {
    printRow(Row{"idle.cpu", "Idle", format("CPU over %.0f s of title and ranking", idle.seconds),
                 format("%.2f %% of a core", idle.varloCpuPercent),
                 format("%.2f %% (minimal window)", idle.minimalCpuPercent), "-", "< 1 %",
                 idle.seconds <= 0 ? "-" : idle.varloCpuPercent < 1.0 ? "met" : "missed"});
    const double more = idle.varloWorkingSetMb - idle.minimalWorkingSetMb;
    printRow(Row{"idle.memory", "Idle", format("Working set after %.0f s (peak %.1f MB)", idle.seconds, idle.varloPeakMb),
                 format("%.1f MB", idle.varloWorkingSetMb),
                 format("%.1f MB (minimal window, peak %.1f MB)", idle.minimalWorkingSetMb, idle.minimalPeakMb),
                 format("%+.1f MB", more), "<= +4 MB", idle.seconds <= 0 ? "-" : more <= 4.0 ? "met" : "missed"});
    printNote("idle figures: " + idle.source);
}

int run(const Settings& settings) {
    GameSamples game;
    if (settings.loaded) return measurePacing(settings, kLoaded, game) ? 0 : 1;
    bool ok = true;
    StartSamples start;
    IdleFigures idle;
    ok = measureStartAndIdle(settings.launches, settings.idleSeconds, start, idle) && ok;
    ok = measurePacing(settings, kQuiet, game) && ok;
    reactionRows(game, start);
    startRows(start);
    idleRows(idle);
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    bench::Settings settings;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--launches") == 0) settings.launches = value;
        else if (std::strcmp(argv[i], "--idle") == 0) settings.idleSeconds = value;
        else if (std::strcmp(argv[i], "--cycles") == 0) settings.cycles = value;
        else if (std::strcmp(argv[i], "--games") == 0) settings.games = value;
        else if (std::strcmp(argv[i], "--loaded") == 0) settings.loaded = value != 0;
        else {
            std::fprintf(stderr, "varlo_bench_wine: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    return bench::run(settings);
}
