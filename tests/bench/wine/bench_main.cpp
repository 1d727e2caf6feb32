// The Wine benchmarks of VARLO.EXE: its pacing against bare loops of the same
// sleeps, its reactions, its start-up and idle cost against a minimal window.
// Prints one tab-separated line a row (see bench_support.h); tools/bench.sh
// makes the report of them. Run under Wine with VARLO_EXE, VARLO_DOUBLES and
// VARLO_SCRATCH set, as the end-to-end tests are.
//   varlo_bench_wine [--launches N] [--idle SECONDS] [--cycles N] [--games N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "bench_phases.h"

namespace bench {
namespace {

struct Settings {
    int launches = 30;      // start-up and start command samples
    int idleSeconds = 60;
    int cycles = 3;         // title and ranking pairs watched
    int games = 3;          // perfect games of the last stage
};

// The bare loops: "COUNTxMS" as the sleep loop takes them, each the floor of one span.
const char* const kFloorLoops[] = {"62x20", "29x20", "79x20", "20x100", "1x1000", "1x2000"};
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
            floors[std::to_string(count) + "x" + std::to_string(ms)].add(elapsed);
    return floors;
}

std::string ms(double value) { return format("%.1f ms", value); }

void pacingRow(const char* key, const char* measure, const Samples& measured, const Samples& floor) {
    Row row;
    row.key = key;
    row.section = "Pacing";
    row.measure = format("%s (median of %zu; floor of %zu)", measure, measured.size(), floor.size());
    if (measured.empty() || floor.empty() || floor.median() <= 0) {
        row.measured = measured.empty() ? "not measured" : ms(measured.median());
        row.reference = floor.empty() ? "not measured" : ms(floor.median());
        row.ratio = row.target = "-";
        row.verdict = "-";
    } else {
        const double ratio = measured.median() / floor.median();
        row.measured = ms(measured.median());
        row.reference = ms(floor.median());
        row.ratio = format("%.3f", ratio);
        row.target = "<= 1.05";
        row.verdict = ratio <= 1.05 ? "met" : "missed";
    }
    printRow(row);
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
}

void startRows(const StartSamples& start) {
    const double reference = start.minimalFirstFrame.median();
    const auto row = [&](const char* key, const char* measure, const Samples& s) {
        const double ratio = reference > 0 ? s.median() / reference : 0;
        printRow(Row{key, "Start-up", format("%s (median of %zu)", measure, s.size()), ms(s.median()),
                     format("%s (minimal window's first frame, median of %zu)", ms(reference).c_str(),
                            start.minimalFirstFrame.size()),
                     format("%.2f", ratio), "<= 1.2", s.empty() || reference <= 0 ? "-" : ratio <= 1.2 ? "met" : "missed"});
    };
    row("startup.frame", "CreateProcess to the first frame (all black)", start.firstFrame);
    row("startup.tile", "CreateProcess to the title's first tile", start.firstTile);
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
    bool ok = true;
    StartSamples start;
    IdleFigures idle;
    ok = measureStartAndIdle(settings.launches, settings.idleSeconds, start, idle) && ok;

    // The floors run beside the shows and the games, under the same load.
    Helper floors;
    const std::wstring floorFolder = driver::makeScratchFolder(L"bench-floor");
    std::wstring loops = std::to_wstring(kFloorRounds);
    for (const char* loop : kFloorLoops) loops += L" " + std::wstring(loop, loop + std::strlen(loop));
    if (floorFolder.empty() || !startHelper(floors, L"varlo_sleep_loop.exe", loops, floorFolder + L"\\floors.txt")) {
        printNote("floors: the sleep loop did not start");
        ok = false;
    }
    ShowSamples shows;
    ok = measureShows(settings.cycles, shows) && ok;
    GameSamples game;
    ok = measureGames(settings.games, game) && ok;
    auto floor = parseFloors(finish(floors, 0));

    pacingRow("timing.dissolve", "Title dissolve, first to last frame: 62 pauses of 20 ms", shows.dissolve, floor["62x20"]);
    pacingRow("timing.slide", "Ranking slide, first rows to whole: 29 pauses of 20 ms", shows.slide, floor["29x20"]);
    pacingRow("timing.celebration", "Celebration, first to last frame: 79 pauses of 20 ms", game.celebration, floor["79x20"]);
    pacingRow("timing.typewriter", "Instruction typed, first to last character: 20 pauses of 100 ms", game.typedLine,
              floor["20x100"]);
    pacingRow("timing.leadin", "Question screen seen to the first note-on: 1000 ms", game.leadIn, floor["1x1000"]);
    pacingRow("timing.notes", "Question's notes, last note-on to first note-off: 2000 ms", game.questionNotes,
              floor["1x2000"]);
    pacingRow("timing.judging", "Judging sound, last note-on to first note-off: 1000 ms", game.judgingNotes,
              floor["1x1000"]);
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
        else {
            std::fprintf(stderr, "varlo_bench_wine: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    return bench::run(settings);
}
