#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR and checks what a user of the installed program
# meets: the files, the desktop entry and metainfo, and qrb2 run with a fresh HOME and no display.
# Usage: install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD=$1
SRC=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILED=0
fail() { echo "FAIL: $*" >&2; FAILED=1; }
check_equal() { # what, expected, actual
  if [ "$2" != "$3" ]; then fail "$1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || true; fi
}

DEST=$WORK/dest
DESTDIR=$DEST cmake --install "$BUILD" --prefix /usr >/dev/null
ID=io.github.qrb2.workbench

# The files, and the shipped data byte for byte.
check_equal "installed files" "usr/bin/qrb2
usr/share/applications/$ID.desktop
usr/share/doc/qrb2/changelog.gz
usr/share/doc/qrb2/copyright
usr/share/icons/hicolor/scalable/apps/$ID.svg
usr/share/lintian/overrides/qrb2
usr/share/man/man1/qrb2.1.gz
usr/share/metainfo/$ID.metainfo.xml
usr/share/qrb2/Help.qrb" \
  "$(cd "$DEST" && find . -type f ! -path './usr/share/qrb2/mts/*' ! -path './usr/share/qrb2/RTS/*' | sed 's|^\./||' | sort)"
[ -x "$DEST/usr/bin/qrb2" ] || fail "usr/bin/qrb2 is not executable"
for data in Help.qrb mts RTS; do
  diff -r "$SRC/resources/$data" "$DEST/usr/share/qrb2/$data" >&2 || fail "shipped $data differs from resources/$data"
done
cmp -s <(gzip -dc "$DEST/usr/share/man/man1/qrb2.1.gz") "$SRC/packaging/qrb2.1" || fail "man page content"
cmp -s <(gzip -dc "$DEST/usr/share/doc/qrb2/changelog.gz") "$SRC/packaging/changelog" || fail "changelog content"
cmp -s "$DEST/usr/share/doc/qrb2/copyright" "$SRC/packaging/copyright" || fail "copyright content"

# The validators of freedesktop.org and AppStream (scripts/test installs them); without one the
# test ends as skipped after its other checks.
SKIPPED=""
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || SKIPPED="$SKIPPED $tool"
done
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$DEST/usr/share/applications/$ID.desktop" 2>&1) || fail "desktop-file-validate: $out"
  check_equal "desktop-file-validate says nothing" "" "$out"
fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net --pedantic "$DEST/usr/share/metainfo/$ID.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
fi
if command -v man >/dev/null && command -v groff >/dev/null; then
  warnings=$(MANWIDTH=80 man --warnings -l "$DEST/usr/share/man/man1/qrb2.1.gz" 2>&1 >/dev/null)
  check_equal "man page renders without warnings" "" "$warnings"
fi

# The installed program with a fresh HOME and nothing of this session's environment: no display.
HOMEDIR=$WORK/home
mkdir "$HOMEDIR"
QRB2=$DEST/usr/bin/qrb2
run() { env -i HOME="$HOMEDIR" PATH=/usr/bin:/bin LANG=C.UTF-8 "$QRB2" "$@" >"$WORK/out" 2>"$WORK/err"; }
status() { run "$@" && echo 0 || echo $?; }
DATA=$HOMEDIR/.local/share/qrb2

check_equal "--version status" 0 "$(status --version)"
check_equal "--version" "qrb2 1.0" "$(cat "$WORK/out")"
# The newest changelog entry is the program's version.
check_equal "changelog version" "qrb2 ($(cut -d' ' -f2 "$WORK/out"))" \
  "$(gzip -dc "$DEST/usr/share/doc/qrb2/changelog.gz" | head -n1 | cut -d' ' -f1-2)"
check_equal "--help status" 0 "$(status --help)"
check_equal "--help first line" "Usage: qrb2 [--folder DIR] [--export [slo|vlo|both]]" "$(head -n1 "$WORK/out")"
check_equal "unknown option status" 2 "$(status --frobnicate)"
check_equal "unknown option message" "qrb2: unknown option '--frobnicate'" "$(head -n1 "$WORK/err")"
grep -qx "Usage: qrb2 \[--folder DIR\] \[--export \[slo|vlo|both\]\]" "$WORK/err" || fail "unknown option shows no usage"
# Options of one dash go to the toolkit, which leaves the unknown ones to us.
check_equal "unknown toolkit option status" 2 "$(status -platform offscreen -frobnicate)"
# (Qt may add a line of its own about the session, such as a missing XDG_RUNTIME_DIR.)
grep -qx "qrb2: unknown option '-frobnicate'" "$WORK/err" || fail "unknown toolkit option message: $(cat "$WORK/err")"
check_equal "nothing created by the command line checks" "" "$(ls -A "$HOMEDIR")"

# --folder on a folder that does not exist: a message, status 1, nothing created anywhere.
for args in "--folder $WORK/missing" "--folder $WORK/missing --export"; do
  # shellcheck disable=SC2086
  check_equal "$args status" 1 "$(status $args)"
  check_equal "$args message" "qrb2: the folder '$WORK/missing' does not exist" "$(cat "$WORK/err")"
done
[ ! -e "$WORK/missing" ] || fail "--folder created the missing folder"
check_equal "--folder missing leaves HOME alone" "" "$(ls -A "$HOMEDIR")"

# First export: the data folder comes with the shipped data; without a game folder it fails.
check_equal "export without settings status" 1 "$(status --export)"
check_equal "export without settings message" \
  "qrb2: no game folder is set: $DATA/QRB_DATA.DAT is missing; start the workbench there once to choose the game folder" \
  "$(cat "$WORK/err")"
check_equal "data folder" "Help.qrb
RTS
mts" "$(ls "$DATA" | LC_ALL=C sort)"
for data in Help.qrb mts RTS; do
  diff -r "$SRC/resources/$data" "$DATA/$data" >&2 || fail "data folder's $data differs from the shipped one"
done

# The export: the eight scripts and the eight variable files, as the window's commands write them.
GAME=$WORK/game
mkdir -p "$GAME/multiplay/skirmish"
printf '"%s",#FALSE#\r\n' "$GAME" >"$DATA/QRB_DATA.DAT"
printf 'event init(every, 10)\r\n{\r\n}\r\n' >"$DATA/SLO.qrb"
printf 'a INT 1\r\n' >"$DATA/VLO.qrb"
check_equal "export status" 0 "$(status --export)"
check_equal "export messages" "qrb2: DONE !!!
qrb2: DONE !!!" "$(cat "$WORK/err")"
rule=$(printf '/%.0s' $(seq 69))
for n in 0 1 2 3 4 5 6 7; do
  printf 'event init(every, 10)\r\n{\r\n}\r\n' >"$WORK/expected.slo"
  cmp "$WORK/expected.slo" "$GAME/multiplay/skirmish/player$n.slo" >&2 || fail "player$n.slo bytes"
  printf '%s\r\n// ai for skirmish game\r\n// Generic vlo for each computer player\r\n%s\r\n\r\nscript "player%s.slo"\r\nrun\r\n{\r\n   player          INT                 %s\r\n    // this player is player x.\r\n\r\na INT 1\r\n}\r\n' \
    "$rule" "$rule" "$n" "$n" >"$WORK/expected.vlo"
  cmp "$WORK/expected.vlo" "$GAME/multiplay/skirmish/player$n.vlo" >&2 || fail "player$n.vlo bytes"
done
check_equal "skirmish folder" 16 "$(ls "$GAME/multiplay/skirmish" | wc -l)"
snapshots=$(ls "$DATA/backup")
# One save before each of the two exports; a second save within the same second gets "_2".
check_equal "snapshots" 4 "$(grep -cE '^(SLO|VLO)\.qrb[0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4}_[0-9]{1,2}-[0-9]{1,2}-[0-9]{1,2}_BEFORECOMPILE(_2)?$' <<<"$snapshots")"
for snapshot in $(grep '^VLO' <<<"$snapshots"); do
  cmp <(printf 'a INT 1\r\n') "$DATA/backup/$snapshot" >&2 || fail "$snapshot bytes"
done

[ "$FAILED" = 0 ] || exit 1
if [ -n "$SKIPPED" ]; then
  echo "SKIPPED: not installed:$SKIPPED (apt-get install desktop-file-utils appstream); every other check passed"
  exit 77
fi
echo "installed program: all checks passed"
