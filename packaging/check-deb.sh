#!/usr/bin/env bash
# Builds the Debian package from a clean clone of this repository's HEAD, validates it and tries it out
# as a new user would: apt install, the menu entry's command on a virtual display, data in the user's own
# folder, apt remove. Needs root (or sudo) for apt; installs what it needs. Run from anywhere:
#   packaging/check-deb.sh [OUTPUT_DIR]      (the .deb is left in OUTPUT_DIR, default build-deb/)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$source_dir/build-deb}")
id=io.github.korvalin.Korvalin
training_id=$id.Training
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

step() { printf '\n== %s\n' "$*"; }

step "Packages the check needs"
needed=(cmake ninja-build g++ pkg-config qt6-base-dev libpugixml-dev dpkg-dev fakeroot file
    lintian desktop-file-utils appstream xvfb xauth xdotool)
missing=()
for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
echo "ok"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step "Build and package from a clean clone of HEAD ($(git -C "$source_dir" rev-parse --short HEAD))"
git clone --quiet "$source_dir" "$work/src"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DKORVALIN_BUILD_TESTS=OFF -DKORVALIN_BUILD_TOOLS=OFF >"$work/configure.log"
cmake --build "$work/build" >"$work/build.log"
(cd "$work/build" && cpack -G DEB >"$work/cpack.log")
mkdir -p "$output"
deb=$(ls "$work/build"/korvalin_*.deb)
cp "$deb" "$output/"
deb=$output/$(basename "$deb")
echo "$deb"
dpkg-deb --field "$deb" Package Version Architecture Depends

step "Validate the desktop entry, the metainfo and the package"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
desktop-file-validate "$work/root/usr/share/applications/$training_id.desktop"
grep -qx 'Exec=korvalin --train' "$work/root/usr/share/applications/$training_id.desktop" ||
    { echo "the training entry does not run korvalin --train"; exit 1; }
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"
lintian --fail-on error --display-info "$deb" || { echo "lintian reports errors"; exit 1; }
echo "ok"

step "Install with apt"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$deb" >"$work/install.log"
for file in /usr/bin/korvalin "/usr/share/applications/$id.desktop" "/usr/share/applications/$training_id.desktop" \
    "/usr/share/metainfo/$id.metainfo.xml" \
    "/usr/share/icons/hicolor/48x48/apps/$id.png" "/usr/share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -e "$file" ] || { echo "missing after install: $file"; exit 1; }
done
korvalin --version
echo "ok"

step "Start it as the menu entry does, as a new user"
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$id.desktop")
home=$work/home
mkdir -p "$home"
HOME=$home XDG_DATA_HOME= xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
    '"$exec_line"' & program=$!
    found=$(timeout 20 xdotool search --sync --onlyvisible --name "^KORVALIN$" 2>/dev/null | head -1)
    for _ in $(seq 50); do [ -f "$HOME/.local/share/korvalin/settings.xml" ] && break; sleep 0.1; done
    kill $program
    [ -n "$found" ]' || { echo "the window did not appear"; exit 1; }
[ -f "$home/.local/share/korvalin/settings.xml" ] || { echo "no settings in the per-user folder"; exit 1; }
echo "window shown; settings in $home/.local/share/korvalin"

step "Start the training window as its menu entry does"
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$training_id.desktop")
HOME=$home XDG_DATA_HOME= xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
    '"$exec_line"' & program=$!
    found=$(timeout 20 xdotool search --sync --onlyvisible --name "^KORVALIN Training$" 2>/dev/null | head -1)
    for _ in $(seq 50); do [ -f "$HOME/.local/share/korvalin/training.sqlite" ] && break; sleep 0.1; done
    kill $program
    [ -n "$found" ]' || { echo "the training window did not appear"; exit 1; }
[ -f "$home/.local/share/korvalin/training.sqlite" ] || { echo "no training database in the per-user folder"; exit 1; }
echo "training window shown; its database in $home/.local/share/korvalin"

step "Remove"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq korvalin >"$work/remove.log"
left=$(for file in /usr/bin/korvalin "/usr/share/applications/$id.desktop" \
    "/usr/share/applications/$training_id.desktop" /usr/share/doc/korvalin \
    /usr/share/icons/hicolor/*/apps/"$id".*; do [ -e "$file" ] && echo "$file"; done || true)
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
echo "ok: nothing left behind"

printf '\nThe package %s installs, starts from its two menu entries and removes cleanly.\n' "$(basename "$deb")"
