#!/usr/bin/env bash
# Installs what is missing, builds Ondrix (Release) and starts it: ./run.sh [waveform-file]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

"$root/scripts/install-deps.sh"
# USB instruments for the logged-in user, without root (see README, "USB instruments").
"$root/scripts/install-udev-rule.sh" || echo "The udev rule for USB instruments was not installed." >&2

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DONDRIX_TESTS=OFF >/dev/null
cmake --build "$build" --target Ondrix

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Ondrix needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  exit 1
fi

args=()
if [ $# -gt 0 ]; then
  args+=("$(realpath -- "$1")")
fi

# Sample files of open waveforms live in the working directory.
work="$build/work"
mkdir -p "$work"
cd "$work"
exec "$build/main/Ondrix" "${args[@]}"
