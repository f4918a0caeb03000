#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) in fuzz-build/ and runs each for a bounded time, starting from a
# scratch copy of its corpus in tests/fuzz-corpus/<target>/ so the repository's
# corpus stays small. Exits non-zero when any target reports a finding; the
# crashing input is kept in fuzz-build/findings/<target>/.
#
#   FUZZ_SECONDS=60   time per target
#   scripts/run-fuzzers.sh [Target ...]   only these targets (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
build=fuzz-build
all_targets=(DataFileOpen IniSettings SessionSettings CtdcsEntry FrequencyEntry CsvImport EngineReply MemDatInput)
targets=("${@:-${all_targets[@]}}")

# Longest input per target: a data file is tried up to a little past the image's
# 8192 bytes, a settings file up to beyond the size of the delivered one. Those
# two start at full length at once, since a short data file is refused outright.
options_of() {
  case "$1" in
    DataFileOpen) echo "-max_len=8400 -len_control=0" ;;
    SessionSettings) echo "-max_len=16384 -len_control=0" ;;
    *) echo "-max_len=4096" ;;
  esac
}

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVIK_FUZZ=ON
fi
cmake --build "$build" --target fuzzers

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen

failed=()
for t in "${targets[@]}"; do
  exe="$build/fuzzers/fuzz_$t"
  [ -x "$exe" ] || { echo "no fuzz target $t" >&2; exit 2; }
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  rm -rf "$corpus"
  mkdir -p "$corpus" "$findings"
  [ -d "tests/fuzz-corpus/$t" ] && cp -r "tests/fuzz-corpus/$t/." "$corpus/"
  echo "=== $t: ${seconds}s"
  # shellcheck disable=SC2046 # the options are separate words
  if "$exe" "$corpus" -max_total_time="$seconds" $(options_of "$t") \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/" >"$build/findings/$t.log" 2>&1; then
    grep -E "^(stat::number_of_executed_units|stat::new_units_added)" "$build/findings/$t.log" || true
  else
    failed+=("$t")
    echo "!!! $t found a problem: log $build/findings/$t.log, input in $findings/" >&2
    grep -E -A30 "ERROR:|runtime error|fuzz invariant broken|deadly signal" \
      "$build/findings/$t.log" | head -60 >&2 || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets ran ${seconds}s each without a finding"
