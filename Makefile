# make play   play the game under Wine on this display: checks the display and the sound
#             first, builds only VARLO.EXE and VARLO.CHM, plays from ~/.local/share/varlo
# make help   the help pages (VARLO.CHM's) in the desktop's browser
# make test   build everything and run every test through CTest (what CI runs)
# make check  the developers' quick loop: the native and sanitizer trees' tests, the fuzz
#             smoke tests and the Wine unit tests of the Windows tree (label win32);
#             no end-to-end game and no demo
# make dist   build dist/varlo-VERSION-win64.zip (VARLO.EXE, VARLO.CHM and a read-me), the
#             same for the same commit, and dist/SHA256SUMS
# make demo   play a recorded game under Xvfb: demo/varlo-demo.mp4 and its contact sheet
# make bench  run the benchmarks, print their table and write docs/performance.md
# make fuzz   run each fuzz target for FUZZ_SECONDS (default 600), then the
#             end-to-end stress tests for STRESS_ROUNDS rounds (default 200)
# All but help install what is missing first (Debian or Ubuntu, as root or with sudo);
# play installs only what playing needs.

NATIVE   := build/native
SANITIZE := build/sanitize
FUZZ     := build/fuzz
WINDOWS  := build/windows
JOBS     ?= 2
FUZZ_SECONDS ?= 600
STRESS_ROUNDS ?= 200

.PHONY: play help test check dist demo bench fuzz deps native sanitize fuzzers windows clean

# tools/play.sh checks, installs (install-deps.sh play) and builds itself, in that order.
play:
	@JOBS=$(JOBS) tools/play.sh $(WINDOWS)

# The pages VARLO.CHM is built from (the [FILES] of its project), written to build/help with
# the version filled in (cmake/version.cmake) and opened in the browser: Wine's HTML Help
# shows them blank without Wine's Gecko engine, which Debian does not package.
help:
	@command -v cmake >/dev/null 2>&1 || { echo "make help fills the version into the pages with cmake, which make play and make test install (or: apt-get install cmake)."; exit 1; }
	@rm -rf build/help && mkdir -p build/help
	@cmake -D OUT=build/help/project -P cmake/version.cmake
	@cd build/help/project && mv $$(sed -n '/^\[FILES\]/,/^\[/{/^[^[;]/p;}' varlo.hhp | tr -d '\r') .. && cd .. && rm -r project
	@page="$(CURDIR)/build/help/howtoplay.htm"; \
	if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null 2>&1; then \
	    echo "Opening the help: $$page"; \
	    xdg-open "$$page" || { echo "No browser opened it; open $$page in one."; exit 1; }; \
	else \
	    echo "The help is in $$page; open it in a browser (xdg-open comes with xdg-utils)."; \
	fi

# The tests of the native, sanitizer and fuzz trees, which test and check share.
define native_ctests
cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)
cd $(SANITIZE) && ctest --output-on-failure -j$(JOBS)
cd $(FUZZ) && ctest --output-on-failure -j$(JOBS)
endef

# Two clean builds of the release (label reproducible) take minutes: make dist runs them.
test: deps native sanitize fuzzers windows
	$(native_ctests)
	cd $(WINDOWS) && ctest --output-on-failure -j$(JOBS) -LE reproducible

# Of the Windows tree only the Win32 tests of tests/wine: no game, no demo, no package.
check: deps native sanitize fuzzers windows
	$(native_ctests)
	cd $(WINDOWS) && ctest --output-on-failure -j$(JOBS) -L win32

dist: deps windows
	tools/dist.sh $(WINDOWS) dist
	cd $(WINDOWS) && ctest --output-on-failure -L reproducible

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
