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
    echo "No display found: running under xvfb-run (nothing will be visible)."
    exec xvfb-run -a "$0" "$@"
  fi
  echo "brenvik-cps needs a graphical display (DISPLAY is not set)." >&2
  exit 1
fi

sim_args=(--save "$state")
[ -f "$state" ] && sim_args+=(--image "$state")
coproc SIM { exec "$bin/brenvik-radio-sim" "${sim_args[@]}"; }
read -r pty <&"${SIM[0]}"
trap 'kill "$SIM_PID" 2>/dev/null || true' EXIT
echo "Virtual radio on $pty (COM1)"

settings="$bin/selvarn.exe"
# [Ports] 1=<pty> and COM=1, keeping every other line of the settings file.
python3 - "$settings" "$pty" <<'PY' 2>/dev/null || sed -i "s#^1=/dev/pts/.*#1=$pty#" "$settings"
import re, sys
path, pty = sys.argv[1], sys.argv[2]
text = open(path, encoding="utf-8").read()
text = re.sub(r"(?im)^COM=.*$", "COM=1", text)
if re.search(r"(?im)^\[Ports\]", text):
    if re.search(r"(?m)^1=.*$", text.split("[Ports]", 1)[1]):
        head, tail = text.split("[Ports]", 1)
        text = head + "[Ports]" + re.sub(r"(?m)^1=.*$", "1=" + pty, tail, count=1)
    else:
        text = re.sub(r"(?im)^\[Ports\]\s*$", "[Ports]\r\n1=" + pty, text, count=1)
else:
    text = text.rstrip("\r\n") + "\r\n\r\n[Ports]\r\n1=" + pty + "\r\n"
open(path, "w", encoding="utf-8", newline="").write(text)
PY
"$bin/brenvik-cps" "$@"
