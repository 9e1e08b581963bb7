# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run, scripts/test and scripts/fuzz.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${QRB_BUILD_DIR:-$ROOT/build}"
JOBS="${QRB_JOBS:-$(nproc)}"

# Installs the Debian packages that are missing, and only those.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo=(sudo); else
      echo "Please install as root: apt-get install ${missing[*]}" >&2; exit 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(qt6-base-dev qt6-base-dev-tools libgl-dev cmake g++ ninja-build fonts-dejavu-core libdtl-dev)

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD" -G Ninja "$@"
  # moc's step does not notice a source file added to an existing build; let it look again.
  find "$BUILD" -path '*_autogen/timestamp' -delete 2>/dev/null || true
  cmake --build "$BUILD" -j "$JOBS"
}
