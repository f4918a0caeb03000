#!/usr/bin/env bash
# Builds the Debian package into a scratch folder and checks it: what it
# recommends, its copyright and changelog where Debian keeps them, and, where
# lintian is installed, no error or warning from it.
# Usage: package-lintian.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/*.deb)

recommends=$(dpkg-deb -f "$deb" Recommends)
for p in bash-completion fonts-noto-cjk qt6-translations-l10n; do
  [[ ", $recommends," == *", $p,"* ]] || { echo "FAIL: Recommends lacks $p: $recommends"; exit 1; }
done
files=$(dpkg-deb -c "$deb")
for f in ./usr/share/doc/brenvik-cps/copyright ./usr/share/doc/brenvik-cps/changelog.gz; do
  grep -q " $f\$" <<<"$files" || { echo "FAIL: the package has no $f"; exit 1; }
done

if command -v lintian >/dev/null; then
  # Root is told it should not run lintian; that line is no finding.
  status=0
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || status=$?
  grep -v '^running with root privileges' "$work/lintian.log" || true
  [ "$status" = 0 ] || { echo "FAIL: lintian found errors or warnings"; exit 1; }
  echo "package OK: lintian clean"
else
  echo "package OK (lintian is not installed: its checks were skipped)"
fi
