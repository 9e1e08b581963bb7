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
usr/share/mime/packages/$ID.xml
usr/share/org.kde.syntax-highlighting/syntax/warzone2100-slo.xml
usr/share/org.kde.syntax-highlighting/syntax/warzone2100-vlo.xml
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

# The MIME types: the database built from the installed package file knows both extensions.
MIME=$WORK/mime
mkdir -p "$MIME/packages"
cp "$DEST/usr/share/mime/packages/$ID.xml" "$MIME/packages/"
if ! command -v update-mime-database >/dev/null; then
  SKIPPED="$SKIPPED update-mime-database"
elif update-mime-database "$MIME" 2>"$WORK/err"; then
  check_equal "MIME globs" "50:text/x-wz2100-slo:*.slo
50:text/x-wz2100-slo:slo.qrb
50:text/x-wz2100-vlo:*.vlo
50:text/x-wz2100-vlo:vlo.qrb" "$(grep -v '^#' "$MIME/globs2" | LC_ALL=C sort)"
else
  fail "update-mime-database: $(cat "$WORK/err")"
fi

# The syntax definitions: well-formed, valid where the library's schema is installed, and
# loaded by KSyntaxHighlighting from the installed data folder.
SYNTAX=$DEST/usr/share/org.kde.syntax-highlighting/syntax
if ! command -v xmllint >/dev/null; then
  SKIPPED="$SKIPPED xmllint"
else
  xmllint --noout "$SYNTAX"/*.xml "$DEST/usr/share/mime/packages/$ID.xml" 2>"$WORK/err" || fail "xmllint: $(cat "$WORK/err")"
fi
# (find fails on the folders a plain user may not read.)
SCHEMA=$(find /usr/share -name language.xsd -path '*syntax*' 2>/dev/null | head -n1 || true)
if [ -n "$SCHEMA" ] && command -v xmllint >/dev/null; then
  xmllint --noout --schema "$SCHEMA" "$SYNTAX"/*.xml 2>"$WORK/err" || fail "syntax schema: $(cat "$WORK/err")"
else
  echo "syntax definitions: no language.xsd installed (Debian ships none), schema check skipped"
fi
HIGHLIGHTER=$(command -v ksyntaxhighlighter5 || command -v kate-syntax-highlighter || true)
if [ -z "$HIGHLIGHTER" ]; then
  SKIPPED="$SKIPPED kate-syntax-highlighter"
else
  highlight() { XDG_DATA_DIRS=$DEST/usr/share QT_LOGGING_RULES='kf.syntaxhighlighting*=true' "$HIGHLIGHTER" "$@"; }
  check_equal "syntax definitions listed" "Warzone 2100 AI Script
Warzone 2100 AI Values" "$(highlight -l 2>/dev/null | grep Warzone)"
  # A style per kind of word: the span around a word, without its colour.
  span() { grep -o "<span style=\"[^\"]*\">$1</span>" "$WORK/sample.html" | head -n1 | sed 's/>.*//'; }
  printf 'public int count; // a comment\nevent e(CALL_NEWDROID, me, ref d, ref f)\n{\n  count = count-1 + getStructure(plain, me).x;\n  console("text");\n}\n#define SIZE 2\n' >"$WORK/sample.slo"
  highlight -o "$WORK/sample.html" "$WORK/sample.slo" 2>"$WORK/err" || fail "highlighting the sample: $(cat "$WORK/err")"
  check_equal "highlighter says nothing" "" "$(cat "$WORK/err")"
  grep -q 'Definition (Warzone 2100 AI Script)' "$WORK/sample.html" || fail "sample.slo not highlighted as a script"
  for word in public int CALL_NEWDROID getStructure console -1 '\/\/ a comment' '&quot;text&quot;' '#define SIZE 2'; do
    [ -n "$(span "$word")" ] || fail "'$word' has no style of its own"
  done
  [ "$(span getStructure)" = "$(span console)" ] || fail "two builtin functions in different styles"
  [ "$(span getStructure)" != "$(span CALL_NEWDROID)" ] || fail "a callback in the style of functions"
  ! grep -q '">plain</span>\|">count</span>' "$WORK/sample.html" || fail "a plain name has a style"
  # The game's 2.3 AI: every builtin function it calls, and nothing else, in the functions' style.
  cp "$SRC/tests/data/corpus/2.3/player0.slo" "$WORK/sample.slo"
  highlight -o "$WORK/ai.html" "$WORK/sample.slo" 2>/dev/null || fail "highlighting the 2.3 AI"
  style=$(grep -o '<span style="[^"]*">console</span>' "$WORK/sample.html" | head -n1 | sed 's/>.*//')
  styled=$(grep -o "$style>[A-Za-z_0-9]*</span>" "$WORK/ai.html" | sed 's/<[^>]*>//g' | LC_ALL=C sort -u)
  called=$(perl -0777 -ne 's{//[^\n]*|/\*.*?\*/|"[^"\n]*"}{ }gs; print "$_\n" for keys %{{ map { $_ => 1 } /[A-Za-z_][A-Za-z0-9_]*/g }}' \
    "$WORK/sample.slo" | LC_ALL=C sort | LC_ALL=C comm -12 - <(cut -f1 "$SRC/resources/script-builtins/functions.tsv" | LC_ALL=C sort))
  check_equal "the 2.3 AI's builtin functions highlighted" "$called" "$styled"
  check_equal "the 2.3 AI's lines in the HTML" "$(wc -l <"$WORK/sample.slo")" \
    "$(sed -n '/<pre>/,/<\/pre>/p' "$WORK/ai.html" | sed '1d;$d' | wc -l)"
  printf 'script "player0.slo"\nrun\n{\n  my-name STRUCTURESTAT "A0-x" // note\n}\n' >"$WORK/sample.vlo"
  highlight -o "$WORK/sample.html" "$WORK/sample.vlo" 2>/dev/null || fail "highlighting the sample values"
  grep -q 'Definition (Warzone 2100 AI Values)' "$WORK/sample.html" || fail "sample.vlo not highlighted as values"
  for word in script run STRUCTURESTAT '&quot;A0-x&quot;' '\/\/ note'; do
    [ -n "$(span "$word")" ] || fail "VLO '$word' has no style of its own"
  done
  grep -q '  my-name <span' "$WORK/sample.html" || fail "a VLO name with a hyphen is not one plain word"
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
# The script check comes first: with errors, they are told and nothing is written.
findings="$DATA/SLO.qrb:1:1: error: the script declares neither a public 'player' nor a public 'me': the generated head binds 'player', so the game will refuse every playerN.vlo
$DATA/SLO.qrb:1:7: error: 'init' is a keyword and cannot be a name
$DATA/VLO.qrb:1:1: error: 'a' is not a global variable of the script"
check_equal "export with errors status" 1 "$(status --export)"
check_equal "export with errors messages" "$findings
qrb2: the script check finds 3 errors that the game would refuse; nothing was exported (--force exports anyway)" \
  "$(cat "$WORK/err")"
check_equal "export with errors writes nothing" "" "$(ls -A "$GAME/multiplay/skirmish")"
[ ! -e "$DATA/backup" ] || fail "export with errors took a snapshot"
check_equal "export status" 0 "$(status --export --force)"
check_equal "export messages" "$findings
qrb2: warning: the script check finds 3 errors that the game would refuse; exporting anyway (--force)
qrb2: DONE !!!
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
# One save before both exports: one snapshot pair.
check_equal "snapshots" 2 "$(grep -cE '^(SLO|VLO)\.qrb[0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4}_[0-9]{1,2}-[0-9]{1,2}-[0-9]{1,2}_BEFORECOMPILE$' <<<"$snapshots")"
for snapshot in $(grep '^VLO' <<<"$snapshots"); do
  cmp <(printf 'a INT 1\r\n') "$DATA/backup/$snapshot" >&2 || fail "$snapshot bytes"
done

[ "$FAILED" = 0 ] || exit 1
if [ -n "$SKIPPED" ]; then
  echo "SKIPPED: not installed:$SKIPPED (apt-get install desktop-file-utils appstream shared-mime-info libxml2-utils libkf5syntaxhighlighting-tools); every other check passed"
  exit 77
fi
echo "installed program: all checks passed"
