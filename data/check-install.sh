#!/usr/bin/env bash
# Installs the build into a fresh staging folder, as a package would put it
# under /usr, and checks that everything a Linux desktop looks for is there:
# the program on the PATH, the menu entry, the software-centre metadata and
# the icon in every size. Given a ROOT (a package unpacked there), it checks
# that instead, and that it holds exactly the files the install puts.
#
#   check-install.sh CMAKE BUILD_DIR [CONFIG] ["16 32 ..."] [ROOT]
set -uo pipefail

cmake=${1:?usage: check-install.sh CMAKE BUILD_DIR [CONFIG] [SIZES]}
build=${2:?usage: check-install.sh CMAKE BUILD_DIR [CONFIG] [SIZES]}
config=${3:-}
# every size drawn, unless told
sizes=${4:-$(cd "$(dirname "$0")/icons" && ls mensora-*.png | sed 's/mensora-\(.*\)\.png/\1/')}
given=${5:-}
app_id=org.mensora.Mensora

stage=$(mktemp -d "${TMPDIR:-/tmp}/mensora-stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT

install_args=(--install "$build" --prefix /usr)
[ -n "$config" ] && install_args+=(--config "$config")
if ! DESTDIR="$stage" "$cmake" "${install_args[@]}" >"$stage.log" 2>&1; then
  cat "$stage.log"; rm -f "$stage.log"
  echo "FAIL: cmake --install did not succeed"
  exit 1
fi
rm -f "$stage.log"

tree=${given:-$stage}
root=$tree/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
files() { (cd "$1" && find . ! -type d | sort); }
if [ -n "$given" ] && ! diff <(files "$stage") <(files "$given"); then
  fail "$given does not hold what the install puts (< the install, > $given)"
fi
need_file() {
  if [ -f "$root/$1" ]; then echo "ok    /usr/$1"; else fail "missing /usr/$1"; fi
}

# The program, where Exec=mensora finds it, and its manual page.
need_file bin/mensora
need_file share/man/man1/mensora.1.gz
[ -f "$root/bin/mensora" ] && [ ! -x "$root/bin/mensora" ] && fail "/usr/bin/mensora is not executable"

# The menu entry and the metadata, under the names the desktop derives from
# the application id.
desktop=share/applications/$app_id.desktop
need_file "$desktop"
need_file "share/metainfo/$app_id.metainfo.xml"

# The menu entry must point at what was installed.
if [ -f "$root/$desktop" ]; then
  exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/$desktop" | head -n1)
  icon_name=$(sed -n 's/^Icon=//p' "$root/$desktop" | head -n1)
  [ -f "$root/bin/$exec_cmd" ] || fail "the menu entry runs '$exec_cmd', which is not in /usr/bin"
  [ "$icon_name" = "$app_id" ] || fail "the menu entry names icon '$icon_name', not '$app_id'"
fi
if [ -f "$root/share/metainfo/$app_id.metainfo.xml" ]; then
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
    "$root/share/metainfo/$app_id.metainfo.xml" \
    || fail "the metainfo does not launch $app_id.desktop"
fi

# One icon per size, and each really of that size.
for s in $sizes; do
  png=share/icons/hicolor/${s}x${s}/apps/$app_id.png
  need_file "$png"
  if [ -f "$root/$png" ]; then
    kind=$(file -b "$root/$png")
    case $kind in
      "PNG image data, $s x $s,"*) ;;
      *) fail "/usr/$png is not a ${s}x${s} PNG: $kind" ;;
    esac
  fi
done
need_file "share/icons/hicolor/scalable/apps/$app_id.svg"
if [ -f "$root/share/icons/hicolor/scalable/apps/$app_id.svg" ]; then
  grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/$app_id.svg" \
    || fail "the scalable icon is not an SVG"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures problem(s) in the installed layout; it holds:"
  files "$tree"
  exit 1
fi
echo "install layout complete"
