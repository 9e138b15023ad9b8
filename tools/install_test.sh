#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and starts the installed game headless, the way
# a player's desktop would: the run-time tree read-only in share/kelvane/, settings, generated
# backgrounds and the player's own tracks in the XDG folders of a scratch home.
#
#   tools/install_test.sh BUILD_DIR [--deb]
#
# BUILD_DIR must hold a finished build (the `kelvane` target). With --deb the Debian package is
# also made with cpack, checked, unpacked into a scratch folder and started from there.
set -euo pipefail

build=${1:?usage: tools/install_test.sh BUILD_DIR [--deb]}
build=$(cd "$build" && pwd)
with_deb=${2:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-install.XXXXXX")
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
fail() { echo "install test: $*" >&2; exit 1; }
expect_file() { [ -f "$1" ] || fail "missing $1"; }

# A player's session: nothing of the tester's own home is read or written.
player() {
  env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/home/cfg" \
    XDG_DATA_HOME="$work/home/data" XDG_PICTURES_DIR="$work/home/pics" \
    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$@"
}

# Runs the game installed under the prefix $1 (in its folder $2) and checks what it leaves where.
check_installed_game() {
  local prefix=$1
  local game=$prefix/$2/kelvane share=$prefix/share/kelvane
  rm -rf "$work/home"
  mkdir -p "$work/home"

  expect_file "$game"
  expect_file "$share/tracks/meadow_loop.rst"
  expect_file "$share/images/gui/bg.png"
  expect_file "$share/sound/viper_offhigh.wav"
  expect_file "$prefix/share/applications/io.github.kelvane.Kelvane.desktop"
  expect_file "$prefix/share/metainfo/io.github.kelvane.Kelvane.metainfo.xml"
  for size in 48 64 128 256; do
    expect_file "$prefix/share/icons/hicolor/${size}x${size}/apps/io.github.kelvane.Kelvane.png"
  done
  ls "$prefix"/share/man/man6/kelvane.6* >/dev/null 2>&1 || fail "no manual page"

  # The shipped settings seed a first start: a small window without the intro.
  printf '[ Options ]\nintro=0\n[ Graphics ]\nwidth=640\nheight=480\n' >"$share/options.ini"
  local before
  before=$(cd "$share" && find . -type f -exec md5sum {} + | sort)

  local help
  help=$(player "$game" --help)
  grep -q -- '--generate-background' <<<"$help" || fail "--help lacks an option"
  local status=0
  player "$game" --no-such-option 2>/dev/null || status=$?
  [ "$status" -eq 2 ] || fail "an unknown option gave status $status, not 2"

  player "$game" --headless --frames 20 --screenshot "$work/menu.png" ||
    fail "the installed game did not start"
  expect_file "$work/menu.png"
  local options=$work/home/cfg/kelvane/options.ini
  expect_file "$options"
  grep -qi '^width=640' "$options" || fail "the user's settings were not seeded from the tree"
  grep -qi '^tireMarksDepth=20' "$options" || fail "the user's settings lack the defaults"

  # A track without a picture: the background is painted into the player's tracks folder, and
  # the race finds it there.
  player "$game" --race forest_ribbon.rst --cars 2 --laps 1 --seed 3 --headless >"$work/race.txt" ||
    fail "the race on the installed game failed: $(tail -3 "$work/race.txt")"
  expect_file "$work/home/data/kelvane/tracks/forest_ribbon.png"

  # A track of the player's own is found by name.
  cp "$share/tracks/harbour_grid.rst" "$work/home/data/kelvane/tracks/my_harbour.rst"
  player "$game" --generate-background "$work/home/data/kelvane/tracks/my_harbour.rst" >/dev/null ||
    fail "no background for the player's own track"
  player "$game" --race my_harbour.rst --cars 2 --laps 1 --seed 3 --headless >/dev/null ||
    fail "the player's own track was not found by name"

  local after
  after=$(cd "$share" && find . -type f -exec md5sum {} + | sort)
  [ "$before" = "$after" ] || fail "the game wrote into its installed tree"
  rm -f "$share/options.ini"
}

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_installed_game "$work/prefix" bin

if [ "$with_deb" = "--deb" ]; then
  echo "== Debian package"
  (cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
  deb=$(ls "$work"/deb/*.deb)
  # Read whole before matching: grep -q stopping early would break dpkg-deb's pipe.
  info=$(dpkg-deb --info "$deb")
  contents=$(dpkg-deb --contents "$deb")
  grep -q 'Section: games' <<<"$info" || fail "the package is not in games"
  grep -q 'Depends:.*libsdl2' <<<"$info" || fail "the package lacks its dependencies"
  grep -q '\./usr/games/kelvane$' <<<"$contents" || fail "no /usr/games/kelvane"
  dpkg-deb -x "$deb" "$work/unpacked"
  check_installed_game "$work/unpacked/usr" games
fi
echo "install test passed"
