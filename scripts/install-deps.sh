#!/usr/bin/env bash
# Installs the Debian packages Ondrix needs to build, run and test; skips what is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qttools5-dev-tools qttools5-dev
  libqwt-qt5-dev libusb-1.0-0-dev umockdev libumockdev-dev
  libgtest-dev libgmock-dev libbenchmark-dev libfast-float-dev
  fonts-wqy-zenhei qttranslations5-l10n
  # the reference generators (tests/data/gen_*.py) and the comparison scripts (bench/compare_*.py)
  python3-numpy python3-scipy
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
