#!/usr/bin/env bash
# Measures a newcomer's first start on this machine: from `git clone` to the
# main window of `make run`, then on to `make test` passing, with an empty
# compiler cache (CCACHE_DISABLE=1). The packages are expected to be installed
# already (scripts/install-deps.sh), so the figures are about building.
#
#   scripts/measure-first-start.sh [REPOSITORY] [WORK_DIR]
set -euo pipefail
for tool in xvfb-run xdotool bc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool bc)" >&2; exit 2; }
done
repo=${1:-$(cd "$(dirname "$0")/.." && pwd)}
work=${2:-$(mktemp -d)}
export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER
# The window must reach the X server to be seen: no offscreen platform.
unset QT_QPA_PLATFORM
now() { date +%s.%N; }
since() { printf '%.0f' "$(echo "$(now) - $1" | bc)"; }
mmss() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }

echo "machine: $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
start=$(now)
git clone -q "$repo" "$work/clone"
cd "$work/clone"

# make run, headless: the window counts as shown when X reports it (its
# WM_CLASS instance name is the executable's, brenvik-cps).
xvfb-run -a bash -c '
  make run >run.log 2>&1 & run=$!
  win=$(timeout 3600 xdotool search --sync --onlyvisible --classname brenvik-cps | head -n1)
  echo shown
  kill "$(xdotool getwindowpid "$win")"   # this run'"'"'s own window, by its process id
  wait $run || true' | grep -q shown
window=$(since "$start")
echo "clone to window: $(mmss "$window")"

make test >test.log 2>&1
tests=$(since "$start")
echo "clone to tests passed: $(mmss "$tests") ($(grep -E 'tests passed' test.log))"
