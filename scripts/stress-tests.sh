#!/usr/bin/env bash
# Runs the whole test suite three times in a row while a busy loop occupies
# every core, then a fourth time under the sanitizers when build-asan/ exists.
# A test that depends on how fast this process or the virtual radio is
# scheduled fails here. Reports every failure and every test that took more
# than a third of its time limit, with the machine's load during each round.
#
#   scripts/stress-tests.sh [ctest arguments...]
#
# Exit status: 0 when every round passed and no test came near its limit.
set -uo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
[ -f build/CTestTestfile.cmake ] || { echo "stress-tests: build/ is not built (make build)" >&2; exit 2; }

cores=$(nproc)
busy=()
stop_busy() {
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null; done
  busy=()
}
trap stop_busy EXIT INT TERM
for _ in $(seq "$cores"); do
  sh -c 'while :; do :; done' &
  busy+=($!)
done
echo "stress-tests: $cores busy loops on $cores cores"

# The time limit of every test, from ctest's own description of the suite.
limits() {
  ctest --test-dir "$1" --show-only=json-v1 2>/dev/null | python3 -c '
import json, sys
for t in json.load(sys.stdin)["tests"]:
    limit = 1500
    for p in t.get("properties", []):
        if p["name"] == "TIMEOUT":
            limit = float(p["value"])
    print(t["name"] + "\t" + str(limit))'
}

# One round: the suite, then the failures and the slow tests from its log.
bad=0
round() {
  local name=$1 dir=$2; shift 2
  local log
  log=$(mktemp)
  echo "== round $name (load before: $(cut -d' ' -f1-3 /proc/loadavg))"
  ctest --test-dir "$dir" --output-on-failure -j "$cores" "$@" >"$log" 2>&1
  local status=$?
  echo "   load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  grep -E '^[0-9]+% tests passed|tests failed out of' "$log" | sed 's/^/   /'
  if [ "$status" -ne 0 ]; then
    bad=1
    grep -E '^\s+[0-9]+ - ' "$log" | grep -v '(Skipped)' | sed 's/^/   FAILED /'
    # The failures' own output stays for reading.
    cp "$log" "stress-round-${name%% *}.log"
    echo "   output of the failures: stress-round-${name%% *}.log"
  fi
  # "  12/340 Test  #12: Name ....   Passed   3.21 sec"
  local slow
  slow=$(limits "$dir" | python3 -c '
import re, sys
limits = dict(line.rstrip("\n").split("\t") for line in sys.stdin)
for line in open(sys.argv[1], errors="replace"):
    m = re.search(r"Test\s+#\d+: (\S+) \.+.*?([\d.]+) sec", line)
    if m and float(m.group(2)) > float(limits.get(m.group(1), 1500)) / 3:
        print("   SLOW %s %s s of %s s" % (m.group(1), m.group(2), limits.get(m.group(1))))' "$log")
  if [ -n "$slow" ]; then
    bad=1
    echo "$slow"
  fi
  rm -f "$log"
}

for n in 1 2 3; do
  round "$n" build "$@"
done
if [ -f build-asan/CTestTestfile.cmake ]; then
  round "4 (sanitizers)" build-asan -L '^(platform|core|comm|gui|cli|e2e)$' \
    -E '^ProgrammingLine\.ProgramsRadiosOnTwoPortsInParallel$' "$@"
else
  echo "== no build-asan/: the sanitizer round is left out (scripts/run-sanitized-tests.sh builds it)"
fi
stop_busy
if [ "$bad" -eq 0 ]; then
  echo "stress-tests: every round passed, no test above a third of its limit"
else
  echo "stress-tests: NOT clean (see above)"
fi
exit "$bad"
