#!/usr/bin/env bash
# Installs the udev rule that lets the logged-in user reach USB-TMC instruments
# (resources/udev/60-ondrix-usbtmc.rules) when udev is there and the rule is missing.
# An installed rule is left as it is, edited or not.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
name="60-ondrix-usbtmc.rules"
rule="$root/resources/udev/$name"
rules_dir="${ONDRIX_UDEV_RULES_DIR:-/etc/udev/rules.d}"
udevadm="${ONDRIX_UDEVADM:-udevadm}"
target="$rules_dir/$name"

if ! command -v "$udevadm" >/dev/null 2>&1 || [ ! -d "$rules_dir" ]; then
  echo "No udev here: the rule for USB instruments ($name) is not installed."
  exit 0
fi
if [ -e "$target" ]; then
  exit 0
fi

sudo_cmd=()
if [ ! -w "$rules_dir" ]; then
  sudo_cmd=(sudo)
fi
echo "Installing $target: the logged-in user may use USB-TMC instruments"
"${sudo_cmd[@]}" install -m 0644 "$rule" "$target"
# Devices already plugged in get the new permissions without a replug.
"${sudo_cmd[@]}" "$udevadm" control --reload-rules || echo "udev did not reload its rules: plug the instrument in again"
"${sudo_cmd[@]}" "$udevadm" trigger --subsystem-match=usb --action=change || true
