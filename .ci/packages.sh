# Sourced by ./play and ./test: the Debian packages the game, its tests and
# its asset tools need, and a check that installs only what is missing.
PELLWICK_PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libglew-dev libfreetype-dev libsoil-dev
  rapidjson-dev libimgui-dev libstb-dev libx11-dev zlib1g-dev
  xvfb xauth mesa-utils libgl1-mesa-dri xdotool imagemagick x11-apps
  sox libsox-fmt-all python3-pil python3-fonttools
  libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev clang-format
)

ensure_packages() {
  local missing=() pkg status
  for pkg in "${PELLWICK_PACKAGES[@]}"; do
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
