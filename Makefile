# Thin wrapper over the CMake presets.
.PHONY: all deps build run test bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@[ -f build/build.ninja ] || cmake --preset default
	@cmake --build --preset default

run: build
	@scripts/run-with-virtual-radio.sh

test: build
	@QT_QPA_PLATFORM=offscreen ctest --preset default -j $$(nproc)

bench: build
	@scripts/run-benchmarks.sh

fuzz:
	@WITH_FUZZ=1 scripts/install-deps.sh
	@scripts/run-fuzzers.sh

clean:
	rm -rf build fuzz-build
