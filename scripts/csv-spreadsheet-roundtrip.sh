#!/usr/bin/env bash
# A plan's channel table through a spreadsheet and back: export it as CSV (the
# tool's own layout and the common channel-list layout), let LibreOffice Calc
# turn each into an .xlsx workbook and that back into CSV with semicolons,
# import the result and check that the plan is unchanged (brenvik-cli diff).
# Runs only where LibreOffice is installed; skipped elsewhere.
#
#   scripts/csv-spreadsheet-roundtrip.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cli="$build/bin/brenvik-cli"

if ! command -v soffice >/dev/null 2>&1; then
  echo "LibreOffice (soffice) is not installed: spreadsheet round trip skipped"
  exit 0
fi
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A private program folder from the delivered settings, so no run of the
# program changes what this script starts from.
program="$work/program"
mkdir -p "$program/Data"
cp data/selvarn.ini "$program/selvarn.exe"
cp "$build/bin/dhcpqec.exe" "$program/dhcpqec.exe"
run() { "$cli" --program-dir "$program" "$@"; }
# LibreOffice keeps its profile here instead of the user's home; its chatter
# (java warnings) goes to a log that is shown when a conversion fails.
office() {
  soffice -env:UserInstallation="file://$work/office" --headless "$@" >>"$work/office.log" 2>&1 || true
}
converted() { [ -s "$1" ] || { echo "LibreOffice made no $1:" >&2; cat "$work/office.log" >&2; exit 1; }; }

# Every kind of channel: tones, DCS both polarities, cross signalling, a
# receive-only channel, a split, 6.25 kHz steps, low power, narrow, no scan.
cat > "$work/plan.csv" <<'CSV'
Channel,Receive,Transmit,Decode,Encode,Tx Power,Bandwidth,Scan Add,Busy Lock
1,446.00625,446.00625,67.0,67.0,Low,Narrow,On,Carrier
2,445.50000,440.00000,D023N,D754I,High,Wide,Off,Tone
3,430.00000,,100.0,None,High,Wide,On,Off
4,442.10000,447.10000,None,100.0,High,Wide,On,Off
5,444.22500,449.22500,D125I,88.5,Low,Wide,Off,Off
16,469.99375,400.00000,None,D365I,High,Narrow,On,Carrier
CSV
run new -o "$work/base.dat" --band 7
run import-csv "$work/base.dat" "$work/plan.csv" -o "$work/plan.dat"

failed=0
for format in brenvik chirp; do
  dir="$work/$format"
  mkdir -p "$dir"
  run export-csv "$work/plan.dat" --format "$format" -o "$dir/plan.csv"
  # CSV in: comma separated, quote ", UTF-8 (76), from line 1.
  office --infilter="CSV:44,34,76,1" --convert-to xlsx --outdir "$dir" "$dir/plan.csv"
  converted "$dir/plan.xlsx"
  mkdir -p "$dir/back"
  # CSV out: semicolon (59) separated, quote ", UTF-8; numbers as the sheet
  # shows them (a code 023 comes back as 23, 5.000000 as 5).
  office --convert-to "csv:Text - txt - csv (StarCalc):59,34,76,1" \
    --outdir "$dir/back" "$dir/plan.xlsx"
  converted "$dir/back/plan.csv"
  run import-csv "$work/plan.dat" "$dir/back/plan.csv" -o "$dir/back.dat" 2>"$dir/import.log" ||
    { cat "$dir/import.log" >&2; exit 1; }
  if run diff "$work/plan.dat" "$dir/back.dat" >"$dir/diff.txt"; then
    echo "$format: same plan after export, xlsx, semicolon CSV and import"
  else
    echo "$format: the plan changed on its way through the spreadsheet:" >&2
    head -n 5 "$dir/back/plan.csv" >&2
    cat "$dir/diff.txt" >&2
    failed=1
  fi
done
exit "$failed"
