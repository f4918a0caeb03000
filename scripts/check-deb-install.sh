#!/usr/bin/env bash
# Installs the package made by `make package` on this machine, then, as a user
# without root rights and with a fresh home, does what a new user does:
# starts brenvik-cps (the first start sets up the user's settings), points COM1
# at the virtual radio, reads the radio through the window (Ctrl+R, Enter),
# and saves the plan (Ctrl+S, Yes, a file name, Enter) into ~/Documents/Brenvik.
# The virtual radio holds a plan of its own (another band, other channels), so
# the saved plan can only equal it if the window really read the radio: the two
# files are compared by the installed brenvik-cli, whose exit status decides.
#
#   scripts/check-deb-install.sh [PACKAGE.deb]      (as root, or with sudo)
#
# Needs xvfb-run and xdotool (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:-$(ls -t build/brenvik-cps_*.deb | head -n1)}")
user=${CHECK_USER:-brenvik-check}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive

echo "== installing $deb"
for tool in xvfb-run:xvfb xdotool:xdotool xwd:x11-apps; do
  command -v "${tool%%:*}" >/dev/null || $sudo apt-get install -y -qq --no-install-recommends "${tool#*:}"
done
$sudo apt-get install -y -qq --reinstall "$deb" >/dev/null
dpkg -L brenvik-cps | grep -E 'bin/|\.desktop|metainfo|man1|scalable' 

echo "== user $user (not root, in dialout)"
id "$user" >/dev/null 2>&1 || $sudo useradd --create-home --shell /bin/bash "$user"
$sudo usermod -aG dialout "$user"
home=$(getent passwd "$user" | cut -d: -f6)
$sudo rm -rf "$home/.config/brenvik-cps" "$home/Documents"
id "$user"

inner=$(mktemp /tmp/check-deb-XXXX.sh)
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<'INNER'
set -euo pipefail
cd "$HOME"
say() { echo "[$(date +%T)] $*"; }
window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n1; }
gone() { for _ in $(seq 200); do xdotool search --onlyvisible --name "$1" >/dev/null || return 0; sleep 0.1; done; return 1; }
settings=$HOME/.config/brenvik-cps/selvarn.ini

say "first start of brenvik-cps as $(id -un)"
brenvik-cps & gui=$!
window "Brenvik Radio Software" >/dev/null
say "window shown; settings seeded: $(ls -l "$settings")"
grep -E '^(FirRun|Language)=' "$settings"
kill $gui; wait $gui 2>/dev/null || true

say "a plan for the virtual radio: band 150 - 174 MHz, two channels with signalling"
brenvik-cli new --band 3 -o radio-base.dat
printf 'Channel,Receive,Transmit,Decode,Encode\n1,151.0125,156.0125,67.0,D023N\n2,162.55,162.55,None,88.5\n' > radio.csv
brenvik-cli import-csv radio-base.dat radio.csv -o radio.dat
brenvik-cli show radio.dat | sed -n '1,5p'

say "virtual radio on COM1"
brenvik-radio-sim --attach "$settings" --com 1 --image radio.dat > sim.pty & sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s sim.pty ] && break; sleep 0.1; done
pty=$(head -n1 sim.pty)
say "radio at $pty; [Ports] now: $(grep -A1 '^\[Ports\]' "$settings" | tail -n1)"

brenvik-cps & gui=$!
main=$(window "Brenvik Radio Software")
xdotool windowfocus --sync "$main"
say "Ctrl+R, Enter: read the radio"
xdotool key --clearmodifiers ctrl+r
rw=$(window "Communicat")
xdotool windowfocus --sync "$rw"
xdotool key Return
gone "Communicat" || { say "the read did not finish"; exit 1; }
say "read finished; Ctrl+S, Enter (Yes), file name, Enter"
xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers ctrl+s
sleep 0.5
xdotool key Return
sleep 1
xdotool type --delay 20 "from-radio"
xdotool key Return
plan=$HOME/Documents/Brenvik/from-radio.dat
for _ in $(seq 50); do [ -s "$plan" ] && break; sleep 0.1; done
ls -l "$plan"
xwd -root -silent > screen.xwd
kill $gui; wait $gui 2>/dev/null || true

say "the saved plan against the radio's plan (brenvik-cli diff, exit 0 = the same)"
brenvik-cli diff "$plan" radio.dat --lang 3 && say "the same"
brenvik-cli show "$plan" | sed -n '1,5p'
say "OK: installed, started as $(id -un), read the virtual radio, saved $plan"
INNER
chmod 755 "$inner"
$sudo runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1366x768x24" bash "$inner"
if command -v convert >/dev/null && [ -f "$home/screen.xwd" ]; then
  convert "xwd:$home/screen.xwd" build/check-deb-install.png && echo "screen: build/check-deb-install.png"
fi
