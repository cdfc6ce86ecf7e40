#!/usr/bin/env bash
# The two installed desktop entries: the training entry beside the program's own, valid, and each
# entry's command doing its own thing as a new user: the program's entry opens the settings window and
# makes nothing of training, the training entry makes training.sqlite in the user's data folder.
#   training_entry_test.sh BUILD_DIR DESKTOP_ID
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
program=
trap '[ -n "$program" ] && kill "$program" 2>/dev/null; rm -rf "$work"' EXIT
prefix=$work/prefix
apps=$prefix/share/applications
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

main_entry=$apps/$id.desktop
training_entry=$apps/$id.Training.desktop
[ -f "$main_entry" ] || fail "no $main_entry"
[ -f "$training_entry" ] || fail "no $training_entry"
key() { sed -n "s/^$2=//p" "$1"; }
[ "$(key "$training_entry" Name)" = "KORVALIN Training" ] || fail "training entry: Name is '$(key "$training_entry" Name)'"
[ "$(key "$training_entry" Exec)" = "korvalin --train" ] || fail "training entry: Exec is '$(key "$training_entry" Exec)'"
[ "$(key "$training_entry" Icon)" = "$id" ] || fail "training entry: Icon is '$(key "$training_entry" Icon)'"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$main_entry" || fail "the program's entry does not validate"
    desktop-file-validate "$training_entry" || fail "the training entry does not validate"
else
    echo "desktop-file-validate is not installed (Debian: desktop-file-utils); the entries' keys were checked alone"
fi

# Runs an entry's command as a new user without a display until `file` appears in their data folder
# (at most 20 s), then ends it. Prints the data folder.
run_entry() { # ENTRY NAME FILE
    local home=$work/home-$2
    mkdir -p "$home"
    env -i PATH="$prefix/bin:$PATH" HOME="$home" XDG_DATA_HOME="$home/.local/share" LANG=C.UTF-8 \
        QT_QPA_PLATFORM=offscreen $(key "$1" Exec) >/dev/null 2>&1 &
    program=$!
    for _ in $(seq 200); do
        [ -e "$home/.local/share/korvalin/$3" ] && break
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=
    echo "$home/.local/share/korvalin"
}

data=$(run_entry "$main_entry" program settings.xml)
[ -f "$data/settings.xml" ] || fail "the program's entry: no settings.xml in $data"
compgen -G "$data/training.sqlite*" >/dev/null && fail "the program's entry made a training database"

data=$(run_entry "$training_entry" training training.sqlite)
[ -f "$data/training.sqlite" ] || fail "the training entry: no training.sqlite in $data"
[ -f "$data/settings.xml" ] && fail "the training entry opened the settings window"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "desktop entries: all checks passed"
