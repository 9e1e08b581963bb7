# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts in scripts/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${QRB_BUILD_DIR:-$ROOT/build}"
JOBS="${QRB_JOBS:-$(nproc)}"

# The Debian packages of the arguments that are not installed.
missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || echo "$pkg"
  done
}

# Installs the Debian packages that are missing, and only those: as root, or through sudo when
# it can be used (without a password, or with one asked on a terminal). Otherwise it names the
# missing packages and the command that installs them; with --optional it then goes on (the
# tests that need them say they were skipped), without it, or in CI, it stops.
ensure_packages() {
  local optional=0
  if [ "${1:-}" = --optional ]; then
    shift
    [ "${CI:-}" = true ] || optional=1
  fi
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
      sudo=(sudo)
    else
      echo "Missing packages: ${missing[*]} (as root: apt-get install ${missing[*]})" >&2
      [ "$optional" = 1 ] && return 0
      exit 1
    fi
  fi
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! { "${sudo[@]}" apt-get update -qq && "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
    echo "Could not install: ${missing[*]} (as root: apt-get install ${missing[*]})" >&2
    [ "$optional" = 1 ] && return 0
    exit 1
  fi
}

BUILD_PACKAGES=(qt6-base-dev qt6-base-dev-tools libgl-dev cmake g++ ninja-build fonts-dejavu-core libdtl-dev)

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD" -G Ninja "$@"
  # moc's step does not notice a source file added to an existing build; let it look again.
  find "$BUILD" -path '*_autogen/timestamp' -delete 2>/dev/null || true
  cmake --build "$BUILD" -j "$JOBS"
}
