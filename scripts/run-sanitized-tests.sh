#!/usr/bin/env bash
# Builds the tests with AddressSanitizer + UndefinedBehaviorSanitizer (preset
# asan, in build-asan/) and runs them: a use after free, an out-of-bounds
# access or undefined behaviour (a call on a destroyed object, an overflow)
# ends the test with the sanitizer's report. Leak detection is off: Qt and the
# font libraries keep caches until exit that are not ours.
#
# The platform tests (device names, processes), the core tests (settings,
# files, codecs, fuzz corpora), the link tests, the
# window tests (every one builds and tears down the main window) and the
# command-line tests (the real brenvik-cli and brenvik-radio-sim, both
# sanitized, over pseudo-terminals) run under the sanitizers; the
# programming-line test that races radios on two ports against time is left to
# the normal build (the sanitizers' slowdown, not the code, makes it miss). The
# end-to-end tests (windows against the virtual radio) run here too.
#
#   scripts/run-sanitized-tests.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# The CLI tests also start the desktop tool (its --help and --version).
targets=(test_platform test_core test_comm test_gui test_cli test_e2e brenvik-cli brenvik-radio-sim brenvik-cps)
[ -f build-asan/build.ninja ] || cmake --preset asan
cmake --build --preset asan --target "${targets[@]}" program_data
ctest --preset asan -L '^(platform|core|comm|gui|cli|e2e)$' -E '^ProgrammingLine\.ProgramsRadiosOnTwoPortsInParallel$' \
  -j "$(nproc)" "$@"
