#!/usr/bin/env bash
# Runs every benchmark (build/bin/bench_*) and prints its figures, after a few
# lines about the machine they ran on. Builds the benchmarks first when they
# are missing or out of date. `make bench` calls this.
#
#   scripts/run-benchmarks.sh [bench_name ...]   only these (default: all)
#   BUILD_DIR=dir                                 another build directory (default: build)
#
# Benchmarks print ratios against a baseline measured in the same run, so the
# figures compare across machines. The exit status is non-zero when any
# benchmark failed or reported a missed target.
set -euo pipefail
cd "$(dirname "$0")/.."

all=()
for src in bench/bench_*.cpp; do
  all+=("$(basename "$src" .cpp)")
done
benches=("${@:-${all[@]}}")

build="${BUILD_DIR:-build}"
if [ ! -f "$build/build.ninja" ]; then
  if [ "$build" = build ]; then
    cmake --preset default
  else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
fi
cmake --build "$build" --target "${benches[@]}"

echo "== machine"
echo "cores: $(nproc)"
if command -v lscpu >/dev/null; then
  lscpu | sed -n "s/^Model name: *//p; s/^CPU max MHz: */max MHz: /p; s/^Hypervisor vendor: */hypervisor: /p"
fi
awk '/^MemTotal/ { printf "memory: %.1f GiB\n", $2 / 1048576 }' /proc/meminfo
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
failed=()
for b in "${benches[@]}"; do
  echo
  echo "== $b"
  # Qt's notes about the offscreen platform are noise here.
  if ! "$build/bin/$b" 2> >(grep -v -e 'propagateSizeHints' -e 'does not support raise' \
                                   -e 'XDG_RUNTIME_DIR' >&2); then
    failed+=("$b")
  fi
done

echo
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed or missed a target: ${failed[*]}"
  exit 1
fi
echo "all benchmarks ran"
