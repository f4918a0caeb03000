#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR) as the package does and
# checks it: the exact file list, the desktop entry and metainfo, and the
# installed command line working in the installed layout for a user whose home
# has nothing of ours yet.
# Usage: staging-install.sh BUILD_DIR EXPECTED_FILE_LIST
set -euo pipefail
build=$1 expected=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Stripped, as the package is.
DESTDIR="$stage/root" cmake --install "$build" --prefix /usr --strip >/dev/null
(cd "$stage/root" && find . -type f -o -type l | sed 's|^\./|/|' | sort) >"$stage/files"
if ! diff -u "$expected" "$stage/files"; then
  echo "FAIL: installed files differ from $expected (- expected, + installed)"
  exit 1
fi

usr="$stage/root/usr"
desktop-file-validate "$usr/share/applications/org.brenvik.cps.desktop"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.brenvik.cps.metainfo.xml" >/dev/null
# Each program's man page in the three languages, compressed as Debian does
# (gzip -9n: no file name, no time stamp) and set by man without a warning.
for dir in man1 zh_CN/man1 zh_TW/man1; do
  for p in brenvik-cps brenvik-cli brenvik-radio-sim; do
    page="$usr/share/man/$dir/$p.1.gz"
    grep -q '^\.TH' <(zcat "$page") || { echo "FAIL: $dir/$p.1.gz is no man page"; exit 1; }
    # Header: magic, deflate, no flags (no name), time 0, level 9 (2), Unix (3).
    [ "$(head -c 10 "$page" | od -An -tx1 | tr -d ' \n')" = 1f8b0800000000000203 ] ||
      { echo "FAIL: $dir/$p.1.gz is not compressed with gzip -9n"; exit 1; }
    warnings=$(MANWIDTH=80 LANG=C.UTF-8 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "FAIL: $dir/$p.1.gz: $warnings"; exit 1; }
  done
done
# The Chinese pages are in Chinese, and every command has its part in each.
grep -q '选项' <(zcat "$usr/share/man/zh_CN/man1/brenvik-cli.1.gz") || { echo "FAIL: zh_CN page not in Chinese"; exit 1; }
grep -q '選項' <(zcat "$usr/share/man/zh_TW/man1/brenvik-cli.1.gz") || { echo "FAIL: zh_TW page not in Chinese"; exit 1; }
for dir in man1 zh_CN/man1 zh_TW/man1; do
  for command in new show export-csv import-csv read write diff program ports cable-check bands help; do
    grep -qxF ".SS ${command//-/\\-}" <(zcat "$usr/share/man/$dir/brenvik-cli.1.gz") ||
      { echo "FAIL: $dir/brenvik-cli.1.gz has no part for $command"; exit 1; }
  done
done
[ -s "$usr/share/doc/brenvik-cps/copyright" ] || { echo "FAIL: no copyright file"; exit 1; }
# Nothing from the build tree may leak into the installed files.
if grep -rl --binary-files=text "$build" "$usr" | grep -v '\.debug$'; then
  echo "FAIL: installed files name the build folder $build"
  exit 1
fi

# The installed CLI: delivered files from /usr/share/brenvik-cps, plans where asked,
# and a read-only command leaves the user's folders untouched.
home="$stage/home"
mkdir -p "$home"
run() { env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }
run "$usr/bin/brenvik-cli" new -o "$stage/plan.dat" --band 3
[ "$(stat -c %s "$stage/plan.dat")" = 8192 ] || { echo "FAIL: plan.dat is not 8192 bytes"; exit 1; }
run "$usr/bin/brenvik-cli" show "$stage/plan.dat" --lang 3 | grep -q '150' ||
  { echo "FAIL: show does not list band 3"; exit 1; }
if [ -n "$(find "$home" -mindepth 1 -print -quit)" ]; then
  echo "FAIL: a command that only reads wrote into the home folder:"; find "$home"; exit 1
fi
echo "staging install OK: $(wc -l <"$stage/files") files"
