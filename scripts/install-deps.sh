#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# The names are real package names (not virtual ones that another package only
# provides), so that a machine with everything installed runs no apt-get and
# needs neither root nor the network.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  libqt6sql6-sqlite       # Qt SQL's SQLite driver: the record of programmed radios
  libgtest-dev
  fonts-noto-cjk          # Chinese interface
  fp-utils                # chmcmd: builds the compiled help files
  libchm-dev              # chmlib: the Chinese help's search index (chm-search-index)
  python3-chm             # searching the help files as viewers do (help_search test)
  xvfb xauth              # headless runs and screenshots
  poppler-utils           # pdftoppm: looking at printed PDFs
  qt6-translations-l10n   # Qt's own buttons and dialogs in Chinese
  qt6-l10n-tools          # lupdate, lrelease: the command line's messages in Chinese
  librsvg2-bin            # rsvg-convert: the icon's PNG sizes
  desktop-file-utils appstream  # checking the desktop entry and metainfo
  dpkg-dev file           # dpkg-shlibdeps for `make package`
  lintian                 # checking the package (package_lintian test)
  man-db groff-base       # man and groff: setting the man pages in tests
)
[ "${WITH_FUZZ:-0}" = 1 ] && packages+=(clang libclang-rt-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: nothing to install"
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
