#!/usr/bin/env bash
# Installs the Debian packages Ondrix needs to build, run and test; skips what is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qttools5-dev-tools qttools5-dev
  libqwt-qt5-dev libusb-1.0-0-dev umockdev libumockdev-dev
  libgtest-dev libgmock-dev libbenchmark-dev libfast-float-dev
  fonts-wqy-zenhei qttranslations5-l10n locales
  # the reference generators (tests/data/gen_*.py) and the comparison scripts (bench/compare_*.py)
  python3-numpy python3-scipy
  # the instrument simulator's hash of received downloads
  libxxhash-dev
  # an independent VXI-11 client for the cross-check with the instrument simulator
  python3-pyvisa-py
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

# The tests that read and write numbers under a decimal-comma locale need one.
generate_test_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating the locale de_DE.UTF-8"
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "de_DE.UTF-8 not generated: its tests will skip"
  fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
generate_test_locale
