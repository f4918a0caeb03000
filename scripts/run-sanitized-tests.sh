#!/usr/bin/env bash
# Builds the tests with AddressSanitizer + UndefinedBehaviorSanitizer (preset
# asan, in build-asan/) and runs them: a use after free, an out-of-bounds
# access or undefined behaviour (a call on a destroyed object, an overflow)
# ends the test with the sanitizer's report. Leak detection is off: Qt and the
# font libraries keep caches until exit that are not ours.
#
# The core tests (settings, files, codecs, fuzz corpora), the link tests, the
# window tests (every one builds and tears down the main window) and the
# command-line tests (the real brenvik-cli and brenvik-radio-sim, both
# sanitized, over pseudo-terminals) run under the sanitizers; the
# programming-line test that races radios on two ports against time is left to
# the normal build (the sanitizers' slowdown, not the code, makes it miss). The
# end-to-end tests are not in this run yet.
#
#   scripts/run-sanitized-tests.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# The CLI tests also start the desktop tool (its --help and --version).
targets=(test_core test_comm test_gui test_cli brenvik-cli brenvik-radio-sim brenvik-cps)
[ -f build-asan/build.ninja ] || cmake --preset asan
cmake --build --preset asan --target "${targets[@]}" program_data
ctest --preset asan -L '^(core|comm|gui|cli)$' -E '^ProgrammingLine\.ProgramsRadiosOnTwoPortsInParallel$' \
  -j "$(nproc)" "$@"
