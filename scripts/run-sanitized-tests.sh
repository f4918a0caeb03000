#!/usr/bin/env bash
# Builds the tests with AddressSanitizer + UndefinedBehaviorSanitizer (preset
# asan, in build-asan/) and runs them: a use after free, an out-of-bounds
# access or undefined behaviour (a call on a destroyed object, an overflow)
# ends the test with the sanitizer's report. Leak detection is off: Qt and the
# font libraries keep caches until exit that are not ours.
#
# The core, command-line, link and window tests run under the sanitizers. The
# end-to-end tests (real programs over pseudo-terminals, at wire speed where
# they measure it) are left to the normal build: on a machine of two cores
# the sanitized copies take longer than they are worth there.
#
#   scripts/run-sanitized-tests.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
targets=(test_core test_comm test_cli test_gui brenvik-cli brenvik-radio-sim)
[ -f build-asan/build.ninja ] || cmake --preset asan
cmake --build --preset asan --target "${targets[@]}" program_data
ctest --preset asan -L '^(core|comm|cli|gui)$' -j "$(nproc)" "$@"
