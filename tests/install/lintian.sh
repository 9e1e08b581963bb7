#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs lintian on the .deb: no error, no warning, and no info tag that packaging/lintian-overrides
# does not explain (an override that no longer matches is reported as a tag too).
# Usage: lintian.sh BUILD_DIR      packages that build with CPack first
#        lintian.sh --deb FILE     checks a package made already (scripts/package)
# Exit status 77 when lintian or dpkg-dev is not installed: the test is then skipped.
set -euo pipefail
for tool in lintian dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || {
    echo "SKIPPED: $tool is not installed (apt-get install lintian dpkg-dev)"
    exit 77
  }
done
if [ "$1" = --deb ]; then
  DEB=$2
else
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
  cpack --config "$1/CPackConfig.cmake" -G DEB -B "$WORK" >"$WORK/cpack.log" 2>&1 || {
    cat "$WORK/cpack.log" >&2
    exit 1
  }
  DEB=$(ls "$WORK"/qrb2_*.deb)
fi

# Info tags as well; pedantic and experimental ones are shown but do not count.
out=$(lintian --display-info --pedantic --display-experimental --fail-on none "$DEB" 2>&1 |
  grep -v '^running with root privileges' || true)
[ -z "$out" ] || printf '%s\n' "$out"
if grep -qE '^[EWI]: ' <<<"$out"; then
  echo "FAIL: lintian has errors, warnings or info tags on $(basename "$DEB")" >&2
  exit 1
fi
echo "lintian: no error, warning or info tag on $(basename "$DEB")"
