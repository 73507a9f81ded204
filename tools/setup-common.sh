# Shared by play.sh and test.sh: installs missing Debian packages and builds the tree.
# Sourced, not run; expects QUILLORA_ROOT to be set.

QUILLORA_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libsdl2-dev libfluidsynth-dev timgm6mb-soundfont fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  libpcre2-dev libicu-dev
)

# Installs every package of the list that dpkg does not report as installed.
quillora_install_packages() {
  local missing=()
  local pkg
  for pkg in "${QUILLORA_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
      sudo="sudo"
    else
      echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
      return 1
    fi
  fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

# Configures (once) and builds the tree in build/ with Ninja.
quillora_build() {
  local build="$QUILLORA_ROOT/build"
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$QUILLORA_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$build" "$@"
}
