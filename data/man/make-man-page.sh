#!/bin/sh
# make-man-page.sh PROGRAM VERSION "ONE-LINE DESCRIPTION" OUTPUT
# Writes the man page of PROGRAM with help2man from its --help output. The
# program runs without a display, with a time limit and no input, so a program
# that would open a window instead of printing its help cannot hang the build;
# such a program gets a page with a usage line and the description.
set -eu
program=$1 version=$2 description=$3 output=$4
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "$@" </dev/null 2>&1; }
if run --help >"$work/help" && grep -qi 'usage' "$work/help"; then
  :
else
  printf 'Usage: %s [options]\n\n%s.\n' "$name" "$description" >"$work/help"
fi

# help2man reads the help from a program of the same name.
cat >"$work/$name" <<WRAP
#!/bin/sh
case "\$1" in
  --version) echo "$name $version" ;;
  *) cat "$work/help" ;;
esac
WRAP
chmod +x "$work/$name"
help2man --no-info --section=1 --name="$description" --version-string="$version" \
  --output="$output.tmp" "$work/$name"
mv "$output.tmp" "$output"
