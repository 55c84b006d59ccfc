# Installs Debian packages when some are missing. Sourced by ./play, ./test
# and the check scripts in tools/.

# Installs those of the named packages that are not installed yet.
fv_install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# What the build, the tests and the fuzzers need.
fv_install_packages() {
  fv_install_missing build-essential cmake g++ pkg-config libgtest-dev libgmock-dev \
    libbenchmark-dev libsdl2-dev libsdl2-mixer-dev libpng-dev libfreetype-dev fonts-dejavu-core \
    clang-format clang-14 libclang-rt-14-dev
}

# What tools/check_exits.sh needs besides the build: a virtual X display and
# a way to press keys in it.
fv_install_check_packages() {
  fv_install_missing xvfb x11-utils xdotool
}
