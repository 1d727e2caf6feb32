// Time per call of the save file's codec: the 212-byte block the program saves,
// and larger inputs of mixed data, each compressed and expanded.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "records/block_codec.h"
#include "records/persistent_block.h"
#include "tests/bench/native/noise.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The block as a player's first exit saves it: the window where it was left and
// the default ranking.
Bytes savedBlock() {
    PersistentBlock block = defaultBlock();
    block.windowLeft = 312;
    block.windowTop = 184;
    const auto bytes = encodeBlock(block);
    return Bytes(bytes.begin(), bytes.end());
}

// `size` bytes of mixed data, the same every time: ranking blocks with played
// rows, lines of text, tables of small numbers and stretches of noise.
Bytes mixedData(size_t size) {
    static const char* const names[] = {"Aki", "Hiro", "No Name", "Midori", "K.Tanaka", "sora", "Yuki_99"};
    Noise noise(0x2545F491u);
    Bytes data;
    while (data.size() < size) {
        switch (noise.next() % 8) {
        case 0:
        case 1:
        case 2: {
            PersistentBlock block = defaultBlock();
            block.windowLeft = int32_t(noise.next() % 1200);
            block.windowTop = int32_t(noise.next() % 800);
            for (RankingEntry& row : block.rows) {
                row.score = uint16_t(noise.next() % 2100);
                row.questionCount = uint16_t(10 + noise.next() % 70);
                row.missTotal = uint16_t(noise.next() % 24);
                row.date = RankingDate{uint16_t(2001 + noise.next() % 24), uint16_t(1 + noise.next() % 12), 0,
                                       uint16_t(1 + noise.next() % 28), uint16_t(noise.next() % 24),
                                       uint16_t(noise.next() % 60), uint16_t(noise.next() % 60),
                                       uint16_t(noise.next() % 1000)};
                std::memset(row.name, 0, sizeof row.name);
                std::strcpy(row.name, names[noise.next() % 7]);
            }
            const auto bytes = encodeBlock(block);
            data.insert(data.end(), bytes.begin(), bytes.end());
            break;
        }
        case 3:
        case 4:
        case 5: {
            const std::string line = "stage " + std::to_string(1 + noise.next() % 8) + " order " +
                                     std::to_string(1 + noise.next() % 10) + ": notes " +
                                     std::to_string(48 + noise.next() % 36) + " " + std::to_string(48 + noise.next() % 36) +
                                     ", answered by " + names[noise.next() % 7] + "\r\n";
            data.insert(data.end(), line.begin(), line.end());
            break;
        }
        case 6: {
            const uint16_t start = uint16_t(noise.next() % 4000);
            for (uint16_t i = 0; i < 32; ++i) {
                const uint16_t value = uint16_t(start + i * 3);
                data.insert(data.end(), {uint8_t(value), uint8_t(value >> 8)});
            }
            break;
        }
        default:
            for (uint32_t n = 8 + noise.next() % 32; n > 0; --n) data.push_back(uint8_t(noise.next()));
        }
    }
    data.resize(size);
    return data;
}

struct Input {
    Bytes raw;
    Bytes compressed;
};

// The inputs, made and checked (compressed, then expanded back) once.
const std::vector<Input>& inputs() {
    static const std::vector<Input> all = [] {
        std::vector<Input> made;
        for (Bytes raw : {savedBlock(), mixedData(4096), mixedData(65536)}) {
            Input input{raw, {}};
            Bytes back;
            if (compressBlock(raw.data(), raw.size(), input.compressed) != CodecResult::ok ||
                expandBlock(input.compressed.data(), input.compressed.size(), back) != CodecResult::ok || back != raw) {
                std::fprintf(stderr, "codec benchmark: %zu bytes do not come back\n", raw.size());
                std::exit(1);
            }
            made.push_back(std::move(input));
        }
        return made;
    }();
    return all;
}

void label(benchmark::State& state, const Input& input) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.raw.size()));
    state.SetLabel(std::to_string(input.raw.size()) + " bytes -> " + std::to_string(input.compressed.size()));
}

void compressBenchmark(benchmark::State& state, int inputIndex) {
    const Input& input = inputs()[size_t(inputIndex)];
    for (auto _ : state) {
        Bytes out;
        benchmark::DoNotOptimize(compressBlock(input.raw.data(), input.raw.size(), out));
        benchmark::DoNotOptimize(out.data());
    }
    label(state, input);
}

void expandBenchmark(benchmark::State& state, int inputIndex) {
    const Input& input = inputs()[size_t(inputIndex)];
    for (auto _ : state) {
        Bytes out;
        benchmark::DoNotOptimize(expandBlock(input.compressed.data(), input.compressed.size(), out));
        benchmark::DoNotOptimize(out.data());
    }
    label(state, input);
}

// compress/INPUT and expand/INPUT for every input.
const bool registered = [] {
    const char* const names[] = {"persistent_block_212", "mixed_4096", "mixed_65536"};
    for (int i = 0; i < 3; ++i) {
        benchmark::RegisterBenchmark((std::string("compress/") + names[i]).c_str(), compressBenchmark, i)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("expand/") + names[i]).c_str(), expandBenchmark, i)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
