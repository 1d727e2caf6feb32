# make play   build VARLO.EXE and play it under Wine on this display
# make test   build everything and run every test through CTest
# make dist   build dist/varlo-1.02-win64.zip: VARLO.EXE, VARLO.CHM and a read-me
# make demo   play a recorded game under Xvfb: demo/varlo-demo.mp4 and its contact sheet
# make bench  run the benchmarks, print their table and write docs/performance.md
# make fuzz   run each fuzz target for FUZZ_SECONDS (default 600), then the
#             end-to-end stress tests for STRESS_ROUNDS rounds (default 200)
# All install what is missing first (Debian or Ubuntu, as root or with sudo).

NATIVE   := build/native
SANITIZE := build/sanitize
FUZZ     := build/fuzz
WINDOWS  := build/windows
JOBS     ?= 2
FUZZ_SECONDS ?= 600
STRESS_ROUNDS ?= 200

.PHONY: play test dist demo bench fuzz deps native sanitize fuzzers windows clean

play: deps windows
	tools/play.sh $(WINDOWS)

test: deps native sanitize fuzzers windows
	cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)
	cd $(SANITIZE) && ctest --output-on-failure -j$(JOBS)
	cd $(FUZZ) && ctest --output-on-failure -j$(JOBS)
	cd $(WINDOWS) && ctest --output-on-failure -j$(JOBS)

dist: deps windows
	tools/dist.sh $(WINDOWS) dist

demo: deps windows
	tools/demo.sh $(WINDOWS) demo

bench: deps native windows
	tools/bench.sh $(NATIVE) $(WINDOWS) docs/performance.md

fuzz: deps fuzzers windows
	tools/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)
	tools/stress.sh $(WINDOWS) $(STRESS_ROUNDS)

deps:
	@tools/install-deps.sh

native:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(NATIVE) -j$(JOBS)

# The native tree again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARLO_SANITIZE=ON
	cmake --build $(SANITIZE) -j$(JOBS)

# The fuzz targets, built by clang with libFuzzer.
fuzzers:
	cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARLO_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ) -j$(JOBS)

windows:
	cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(WINDOWS) -j$(JOBS)

clean:
	rm -rf build
