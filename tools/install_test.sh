#!/usr/bin/env bash
# Installs a built tree the way a player or a distribution would and starts the installed
# programs headless: the run-time tree read-only in share/kelvane/; settings, generated backgrounds
# and the player's own tracks in the XDG folders of a scratch home.
#
#   tools/install_test.sh BUILD_DIR [--deb]
#
# BUILD_DIR must hold a finished build; `cmake --install` puts it into a temporary prefix. With
# --deb the Debian package is also made with cpack, checked with lintian, unpacked into a scratch
# folder and run from there, and, when run as root, installed on this machine, run from
# /usr/games and removed again. (tests/platform/InstallTest.cpp runs this on request.)
#
# Every program is found through its desktop entry, so a new program with its entry, icons and
# manual page is checked like the game.
set -euo pipefail

build=${1:?usage: tools/install_test.sh BUILD_DIR [--deb]}
build=$(cd "$build" && pwd)
with_deb=${2:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-install.XXXXXX")
installed_package=no
cleanup() {
  if [ "$installed_package" = yes ]; then
    apt-get purge -y -q -o DPkg::Lock::Timeout=600 kelvane >/dev/null 2>&1 || true
  fi
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
fail() { echo "install test: $*" >&2; exit 1; }
expect_file() { [ -f "$1" ] || fail "missing $1"; }
# A program that ran with output where none was expected, shown whole.
expect_silent() {
  local what=$1 output
  shift
  output=$("$@" 2>&1) || fail "$what failed: $output"
  [ -z "$output" ] || fail "$what: $output"
}

# A player's session: nothing of the tester's own home is read or written.
player() {
  env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/home/cfg" \
    XDG_DATA_HOME="$work/home/data" XDG_PICTURES_DIR="$work/home/pics" \
    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$@"
}

desktop_key() { sed -n "s/^$1=//p" "$2" | head -1; }
# What groff says about a manual page, as lintian asks it.
manual_page_warnings() {
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null
}

# Checks one program's desktop entry, icons and manual page, and starts it headless. $1 is where
# the files lie ("" on this machine), $2 the prefix they were installed for, $3 the programs'
# folder below it, $4 the desktop entry.
check_program() {
  local root=$1 prefix=$2 program_dir=$3 entry=$4
  local program name icon page
  expect_silent "desktop-file-validate $entry" desktop-file-validate "$entry"
  program=$(desktop_key Exec "$entry")
  program=${program%% *}
  name=$(basename "$program")
  [ "$program" = "$prefix/$program_dir/$name" ] ||
    fail "$entry starts $program, not $prefix/$program_dir/$name"
  [ -x "$root$program" ] || fail "$entry starts $program, which is not installed"
  icon=$(desktop_key Icon "$entry")
  for size in 48 64 128 256; do
    expect_file "$root$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  done
  page=$root$prefix/share/man/man6/$name.6.gz
  expect_file "$page"
  zcat "$page" | grep -qF "$program" || fail "the manual page of $name does not name $program"
  local warnings
  warnings=$(manual_page_warnings "$page")
  [ -z "$warnings" ] || fail "the manual page of $name: $warnings"

  player "$root$program" --version | grep -q . || fail "$name --version printed nothing"
  player "$root$program" --help | grep -q -- --headless || fail "$name --help lacks --headless"
  local status=0
  player "$root$program" --no-such-option 2>/dev/null || status=$?
  [ "$status" -eq 2 ] || fail "$name: an unknown option gave status $status, not 2"
  rm -f "$work/shot.png"
  player "$root$program" --headless --frames 20 --screenshot "$work/shot.png" ||
    fail "the installed $name did not start"
  expect_file "$work/shot.png"
}

# Races and background painting of the installed game, with the player's own folders.
check_game() {
  local game=$1 share=$2
  player "$game" --help | grep -q -- '--generate-background' || fail "--help lacks an option"
  local options=$work/home/cfg/kelvane/options.ini
  expect_file "$options"
  grep -qi '^tireMarksDepth=20' "$options" || fail "the user's settings lack the defaults"

  # A player's track without a picture: the background is painted into the player's tracks
  # folder, and the race finds it there.
  mkdir -p "$work/home/data/kelvane/tracks"
  sed 's/forest_ribbon\.png/my_forest.png/' "$share/tracks/forest_ribbon.rst" \
    >"$work/home/data/kelvane/tracks/my_forest.rst"
  player "$game" --race my_forest.rst --cars 2 --laps 1 --seed 3 --headless >"$work/race.txt" ||
    fail "the race on the installed game failed: $(tail -3 "$work/race.txt")"
  expect_file "$work/home/data/kelvane/tracks/my_forest.png"

  # A track of the player's own is found by name.
  cp "$share/tracks/harbour_grid.rst" "$work/home/data/kelvane/tracks/my_harbour.rst"
  player "$game" --generate-background "$work/home/data/kelvane/tracks/my_harbour.rst" >/dev/null ||
    fail "no background for the player's own track"
  player "$game" --race my_harbour.rst --cars 2 --laps 1 --seed 3 --headless >/dev/null ||
    fail "the player's own track was not found by name"
}

# The installed editor checks and rewrites a shipped track, which the installed game then races.
check_editor() {
  local editor=$1 game=$2 share=$3
  player "$editor" --check "$share/tracks/meadow_loop.rst" >/dev/null ||
    fail "the installed editor refuses a shipped track"
  player "$editor" --save-as "$work/home/copy.rst" "$share/tracks/meadow_loop.rst" ||
    fail "the installed editor did not save a copy of a shipped track"
  player "$game" --race "$work/home/copy.rst" --cars 2 --laps 1 --seed 3 --headless >/dev/null ||
    fail "the game did not race the editor's copy of a shipped track"
}

# Checks an install: $1 is where its files lie ("" on this machine), $2 the prefix it was made
# for, $3 the programs' folder below it; with $4 = seed, shipped settings are put into the tree
# first (not on this machine, whose tree belongs to the package manager). $5, by default the
# install itself, is a tree that holds only this install's programs, desktop entries and
# metainfo (this machine's /usr holds others' too).
check_install() {
  local root=$1 prefix=$2 program_dir=$3 seed=${4:-} own=${5:-$1$2}
  local share=$root$prefix/share/kelvane
  rm -rf "$work/home"
  mkdir -p "$work/home"

  expect_file "$share/tracks/meadow_loop.rst"
  expect_file "$share/images/gui/bg.png"
  expect_file "$share/sound/viper_offhigh.wav"
  expect_file "$root$prefix/share/doc/kelvane/copyright"
  local file metainfo report
  for file in "$own"/share/metainfo/*.metainfo.xml; do
    metainfo=$root$prefix/share/metainfo/$(basename "$file")
    expect_file "$metainfo"
    report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "$report"
    ! grep '^[EWI]:' <<<"$report" || fail "$metainfo does not validate cleanly"
  done

  # Every program has its desktop entry, and every desktop entry its program.
  local entries=() entry program
  for file in "$own"/share/applications/*.desktop; do
    entries+=("$root$prefix/share/applications/$(basename "$file")")
  done
  expect_file "${entries[0]}"
  for program in "$own/$program_dir"/*; do
    grep -qE "^Exec=$prefix/$program_dir/$(basename "$program")( |$)" "${entries[@]}" ||
      fail "$program has no desktop entry"
  done

  if [ "$seed" = seed ]; then
    # The shipped settings seed a first start: a small window without the intro.
    printf '[ Options ]\nintro=0\n[ Graphics ]\nwidth=640\nheight=480\n' >"$share/options.ini"
  fi
  local before
  before=$(cd "$share" && find . -type f -exec md5sum {} + | sort)

  for entry in "${entries[@]}"; do
    check_program "$root" "$prefix" "$program_dir" "$entry"
  done
  if [ "$seed" = seed ]; then
    grep -qi '^width=640' "$work/home/cfg/kelvane/options.ini" ||
      fail "the user's settings were not seeded from the tree"
  fi
  check_game "$root$prefix/$program_dir/kelvane" "$share"
  check_editor "$root$prefix/$program_dir/solvern" "$root$prefix/$program_dir/kelvane" "$share"

  local after
  after=$(cd "$share" && find . -type f -exec md5sum {} + | sort)
  [ "$before" = "$after" ] || fail "a program wrote into its installed tree"
  rm -f "$share/options.ini"
}

# Installs the package on this machine, runs it from there and removes it again.
check_system_install() {
  local deb=$1
  if [ "$(id -u)" -ne 0 ]; then
    echo "(not root: the package is not installed on this machine)"
    return
  fi
  # One install test at a time may own the machine's kelvane.
  exec 9>/run/lock/kelvane-install-test.lock
  flock -w 1200 9 || fail "another install test holds /run/lock/kelvane-install-test.lock"
  if dpkg-query -W -f='${Status}' kelvane 2>/dev/null | grep -q installed ||
    [ -e /usr/share/kelvane ] || [ -e /usr/games/kelvane ]; then
    echo "(kelvane is already installed on this machine: the package is not installed over it)"
    return
  fi
  installed_package=yes
  apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=600 "$deb" \
    >"$work/apt.txt" 2>&1 || fail "the package did not install: $(tail -5 "$work/apt.txt")"
  local files
  files=$(dpkg -L kelvane)
  [ "$(man -w 6 kelvane)" = /usr/share/man/man6/kelvane.6.gz ] || fail "man 6 kelvane is not found"
  check_install "" /usr games "" "$work/unpacked/usr"

  apt-get purge -y -q -o DPkg::Lock::Timeout=600 kelvane >"$work/apt.txt" 2>&1 ||
    fail "the package was not removed: $(tail -5 "$work/apt.txt")"
  installed_package=no
  local path
  while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after removing the package"
  done <<<"$files"
  [ ! -e /usr/share/kelvane ] || fail "/usr/share/kelvane is left after removing the package"
  echo "installed, started from /usr/games, removed without a trace"
}

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_install "" "$work/prefix" bin seed

if [ "$with_deb" = --deb ]; then
  echo "== Debian package"
  (cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
  deb=$(ls "$work"/deb/*.deb)
  # Read whole before matching: grep -q stopping early would break dpkg-deb's pipe.
  info=$(dpkg-deb --info "$deb")
  contents=$(dpkg-deb --contents "$deb")
  grep -q 'Section: games' <<<"$info" || fail "the package is not in games"
  grep -q 'Depends:.*libsdl2' <<<"$info" || fail "the package lacks its dependencies"
  grep -q '\./usr/games/kelvane$' <<<"$contents" || fail "no /usr/games/kelvane"
  grep -q '\./usr/games/solvern$' <<<"$contents" || fail "no /usr/games/solvern"
  ! grep '\./usr/bin/' <<<"$contents" || fail "programs in /usr/bin"

  echo "== lintian"
  # Its notes (I:) are shown, and explained in the README's install section.
  lintian --display-info --fail-on error,warning "$deb" || fail "lintian found problems"

  dpkg-deb -x "$deb" "$work/unpacked"
  check_install "$work/unpacked" /usr games seed
  echo "== the package installed on this machine"
  check_system_install "$deb"
fi
echo "install test passed"
