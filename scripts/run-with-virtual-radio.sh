#!/usr/bin/env bash
# Starts the virtual radio on a pseudo-terminal, points COM1 of the program
# folder's settings at it, and runs brenvik-cps. Read and Write then work
# without a radio or cable. The virtual radio keeps its memory in
# build/virtual-radio.dat between runs.
set -euo pipefail
bin="$(cd "$(dirname "$0")/../build/bin" && pwd)"
state="$bin/../virtual-radio.dat"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  if command -v xvfb-run >/dev/null; then
    echo "No display found: running under xvfb-run (nothing will be visible; Ctrl-C or closing this terminal ends it)."
    exec xvfb-run -a "$0" "$@"
  fi
  echo "brenvik-cps needs a graphical display (DISPLAY is not set)." >&2
  exit 1
fi

sim_args=(--attach "$bin/selvarn.exe" --com 1 --save "$state")
[ -f "$state" ] && sim_args+=(--image "$state")
"$bin/brenvik-radio-sim" "${sim_args[@]}" > "$bin/../virtual-radio.pty" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$bin/../virtual-radio.pty" ] && break; sleep 0.1; done
echo "Virtual radio on $(head -n1 "$bin/../virtual-radio.pty") (COM1)"
"$bin/brenvik-cps" "$@"
