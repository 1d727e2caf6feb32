// Reading and summing up a long practice history: 100,000 lines of text (a
// player's years of games, about 7 MB) read into lines and summed up as the
// statistics window does each time it opens or a game ends.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "records/history_line.h"
#include "records/history_summary.h"
#include "tests/bench/native/noise.h"

namespace {

constexpr int kLines = 100000;

// Games of ten orders or fewer at every stage, over about three years, a
// quarter of the answers wrong by a key or two.
std::string longHistory() {
    Noise noise(0x9E3779B9u);
    std::string text = kHistoryFileStart;
    HistoryLine line;
    int day = 0;
    for (int i = 0; i < kLines; ++i) {
        if (i % 10 == 0) {
            ++line.game;
            line.firstStage = line.stage = 1 + int(noise.next() % kHistoryStages);
            day += noise.next() % 3 == 0 ? 1 : 0;
        }
        int year = 0, month = 0, dayOfMonth = 0;
        civilDate(dayNumber(2024, 1, 1) + day, year, month, dayOfMonth);
        line.time = RankingDate{uint16_t(year), uint16_t(month), 0, uint16_t(dayOfMonth), uint16_t(8 + i % 12),
                                uint16_t(i % 60), uint16_t(noise.next() % 60), 0};
        line.order = 1 + i % kHistoryOrders;
        line.asked.reset();
        for (int n = 1 + line.stage / 2; n > 0; --n) line.asked.set(24 + noise.next() % 72);
        line.marked = line.asked;
        line.correct = noise.next() % 4 != 0;
        if (!line.correct) line.marked.flip(24 + noise.next() % 72);
        line.replays = int(noise.next() % 4);
        line.answerMs = 500 + noise.next() % 9000;
        line.points = line.correct ? line.stage * line.stage : 0;
        text += formatHistoryLine(line);
    }
    return text;
}

void readAndSummarise(benchmark::State& state) {
    static const std::string text = longHistory();
    const int64_t today = dayNumber(2026, 12, 9);
    for (auto _ : state) {
        const auto lines = parseHistory(text);
        if (lines.size() != size_t(kLines)) {
            std::fprintf(stderr, "history benchmark: %zu of %d lines read\n", lines.size(), kLines);
            std::exit(1);
        }
        benchmark::DoNotOptimize(summariseHistory(lines, today));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.SetLabel(std::to_string(kLines) + " lines, " + std::to_string(text.size()) + " bytes");
}
BENCHMARK(readAndSummarise)->Name("history/read_and_summarise_100000")->Unit(benchmark::kMillisecond);

}  // namespace
