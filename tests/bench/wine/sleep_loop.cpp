// The floor of the game's pacing: nothing but the sleeps, timed with
// QueryPerformanceCounter in the same Wine as the game.
//   varlo_sleep_loop ROUNDS COUNTxMS...
// Each of the ROUNDS rounds (endless for 0: the benchmark ends it when it has
// done) runs every COUNTxMS in turn (COUNT calls of Sleep(MS)) and prints
// "COUNT MS ELAPSED_MS" for it, each line flushed as it is done.
#include <windows.h>

#include "log_clock.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: varlo_sleep_loop ROUNDS COUNTxMS...\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    for (int round = 0; rounds == 0 || round < rounds; ++round) {
        for (int i = 2; i < argc; ++i) {
            int count = 0, ms = 0;
            if (std::sscanf(argv[i], "%dx%d", &count, &ms) != 2 || count <= 0 || ms < 0) {
                std::fprintf(stderr, "varlo_sleep_loop: bad loop '%s'\n", argv[i]);
                return 2;
            }
            const double begin = nowMs();
            for (int k = 0; k < count; ++k) Sleep(DWORD(ms));
            std::printf("%d %d %.3f\n", count, ms, nowMs() - begin);
            std::fflush(stdout);
        }
    }
    return 0;
}
