#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks where the program keeps its files there and
# elsewhere, and its command line:
#   installed_program_test.sh BUILD_DIR START_PROBE VERSION
# The start probe (StartProbe.cpp) starts the program as main.cpp does and makes one digit's draft; a
# copy of it in a folder takes that folder's place, as the program would.
set -euo pipefail
build=$1 probe=$2 version=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null
cp "$probe" "$prefix/bin/korvalin_start_probe"
installed_files=$(cd "$prefix" && find . | sort)

# A user of their own, with nothing in their data folder yet.
new_home() {
    home=$work/home-$1
    mkdir -p "$home"
    chmod 777 "$home"
}

# Runs a command as someone the permission bits apply to; root writes into any folder.
as_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
    else
        "$@"
    fi
}

run_probe() { # HOME PROBE ARGS...
    local home=$1
    shift
    env -i PATH="$PATH" HOME="$home" XDG_DATA_HOME="$home/.local/share" LANG=C.UTF-8 "$@"
}

expect_files_in() { # WHAT FOLDER
    [ -f "$2/settings.xml" ] || fail "$1: no settings.xml in $2"
    compgen -G "$2/draft_record_*.xml" >/dev/null || fail "$1: no draft in $2"
}

expect_install_untouched() { # WHAT
    [ "$(cd "$prefix" && find . | sort)" = "$installed_files" ] || fail "$1: files appeared in the install folder"
}

# --- the installed program's command line
"$prefix/bin/korvalin" --version | grep -qx "korvalin $version" || fail "--version does not print 'korvalin $version'"
"$prefix/bin/korvalin" --help | grep -q -- "--data-dir" || fail "--help does not name --data-dir"
set +e
error=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/korvalin" --no-such-option 2>&1 >/dev/null)
code=$?
set -e
[ "$code" -eq 2 ] || fail "an unknown option exits with $code, not 2"
[ "$(printf '%s\n' "$error" | wc -l)" -eq 1 ] || fail "an unknown option gives more than one line: $error"

# --- installed, install folder writable by the user: still the per-user folder
new_home writable
run_probe "$home" "$prefix/bin/korvalin_start_probe" >"$work/writable.out"
grep -qx "stage: opened" "$work/writable.out" || fail "writable install: the stage did not open"
expect_files_in "writable install" "$home/.local/share/korvalin"
expect_install_untouched "writable install"

# --- installed, install folder read-only for the user
chmod -R a-w "$prefix"
new_home readonly
as_user env -i PATH="$PATH" HOME="$home" XDG_DATA_HOME="$home/.local/share" LANG=C.UTF-8 \
    "$prefix/bin/korvalin_start_probe" >"$work/readonly.out"
grep -qx "stage: opened" "$work/readonly.out" || fail "read-only install: the stage did not open"
grep -q "^box:" "$work/readonly.out" && fail "read-only install: a box was shown: $(grep '^box:' "$work/readonly.out")"
expect_files_in "read-only install" "$home/.local/share/korvalin"
expect_install_untouched "read-only install"

# --- --data-dir on a read-only folder: START asks, No goes back to the settings
mkdir -p "$work/locked"
chmod 555 "$work/locked"
new_home locked
as_user env -i PATH="$PATH" HOME="$home" LANG=C.UTF-8 \
    "$prefix/bin/korvalin_start_probe" --data-dir "$work/locked" --refuse-start >"$work/locked.out"
grep -q "^box: The drafts of this attempt cannot be saved" "$work/locked.out" || fail "--data-dir read-only: START did not ask"
grep -qx "stage: not opened" "$work/locked.out" || fail "--data-dir read-only: No still opened the stage"
chmod -R u+w "$prefix"

# --- not installed: a copy in another folder, and the build tree's own, keep their files beside them
mkdir -p "$work/stick/korvalin"
cp "$probe" "$work/stick/korvalin/"
new_home stick
run_probe "$home" "$work/stick/korvalin/$(basename "$probe")" >/dev/null
expect_files_in "copy on a stick" "$work/stick/korvalin"
[ -e "$home/.local/share/korvalin" ] && fail "copy on a stick: wrote into the per-user folder"

probe_folder=$(dirname "$probe")
new_home build
run_probe "$home" "$probe" >"$work/build.out"
grep -qx "data folder: $(cd "$probe_folder" && pwd -P)" "$work/build.out" || fail "build tree: $(head -1 "$work/build.out")"
expect_files_in "build tree" "$probe_folder"
[ -e "$home/.local/share/korvalin" ] && fail "build tree: wrote into the per-user folder"
rm -f "$probe_folder/settings.xml" "$probe_folder"/draft_record_*.xml "$probe_folder"/attempt_*.journal

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "install layout: all checks passed"
