# make play   build VARLO.EXE and play it under Wine on this display
# make test   build everything and run every test through CTest
# Both install what is missing first (Debian or Ubuntu, as root or with sudo).

NATIVE  := build/native
WINDOWS := build/windows
JOBS    ?= 2

.PHONY: play test deps native windows clean

play: deps windows
	tools/play.sh $(WINDOWS)

test: deps native windows
	cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)
	cd $(WINDOWS) && ctest --output-on-failure

deps:
	@tools/install-deps.sh

native:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(NATIVE) -j$(JOBS)

windows:
	cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(WINDOWS) -j$(JOBS)

clean:
	rm -rf build
