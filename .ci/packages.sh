# Sourced by ./play and ./test: the Debian packages of the game and of its
# tests and tools, and a check that installs only what is missing.

# What the game needs to build and run (./play).
PELLWICK_GAME_PACKAGES=(
  build-essential cmake pkg-config                     # compiler, make, CMake, pkg-config (ImGui)
  libsdl2-dev libsdl2-mixer-dev                        # window, input, pads, sound
  libglew-dev libgl1-mesa-dri                          # OpenGL entry points, and Mesa's GL drivers
  libfreetype-dev libsoil-dev libstb-dev zlib1g-dev    # glyphs, image decoding and writing, PNG check
  rapidjson-dev libimgui-dev                           # object files, the editor's windows
)

# What ./test adds: the test frameworks, the clang sanitizer and fuzz builds
# and clang-format, the headless X server and input tools, the X libraries
# the tests drive it with, and the asset tools' converters.
PELLWICK_TEST_PACKAGES=(
  libgtest-dev googletest
  clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool libx11-dev libxtst-dev libxdamage-dev
  imagemagick sox libsox-fmt-all python3-pil python3-fonttools
)

# Installs those of the given packages that are missing.
ensure_packages() {
  local missing=() pkg status
  for pkg in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null; then
      sudo=(sudo)
    else
      echo "Missing packages and no root rights: apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}
