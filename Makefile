# Thin wrapper over the CMake presets.
.PHONY: all deps configure build programs run test bench package fuzz clean

# What `make run` needs: the three programs and their data, no tests or benchmarks.
PROGRAMS := brenvik-cps brenvik-cli brenvik-radio-sim program_data

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@[ -f build/build.ninja ] || cmake --preset default

build: configure
	@cmake --build --preset default

programs: configure
	@cmake --build --preset default --target $(PROGRAMS)

run: programs
	@scripts/run-with-virtual-radio.sh

test: build
	@QT_QPA_PLATFORM=offscreen ctest --preset default -j $$(nproc)

bench: build
	@scripts/run-benchmarks.sh

package: build
	@cmake --build --preset default --target package

fuzz:
	@WITH_FUZZ=1 scripts/install-deps.sh
	@scripts/run-fuzzers.sh

clean:
	rm -rf build fuzz-build
