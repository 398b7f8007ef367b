# Shared set-up for run.sh and test.sh: installs the Debian packages the build
# needs when they are missing, then configures and builds into a build folder.
# Source it; it defines ksm_install_packages and ksm_build.

KSM_PACKAGES="g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev \
libsdl2-net-dev libsdl2-gfx-dev libgtest-dev libgmock-dev libbenchmark-dev python3 python3-pil"

ksm_install_packages() {
  local missing=""
  for p in $KSM_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing missing packages:$missing"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "Need root or sudo to install:$missing" >&2; return 1; }
    sudo="sudo"
  fi
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing || return 1
}

# ksm_build BUILD_DIR [extra cmake arguments...]
ksm_build() {
  local dir="$1"; shift
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  cmake -S "$KSM_ROOT" -B "$dir" "$@" >/dev/null || return 1
  cmake --build "$dir" -j "$jobs" || return 1
}
