#!/usr/bin/env bash
# Takes the README's pictures of the program on Windows: ZQTTweaker.exe from
# the mingw-w64 build, run under Wine in a virtual X server with the
# simulated device library as its RAPI.DLL, on the troubleshooting page, and
# there the hint of a changed option while "Show changes from defaults" is
# ticked. Writes docs/screenshots/windows-troubleshooting.png and
# docs/screenshots/windows-hint.png.
#
# Everything runs in a Wine prefix of its own, made anew in the build
# folder (scripts/wine-session.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
command -v import > /dev/null || {
  sudo_if_needed=()
  [ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_if_needed[@]}" apt-get install -y -qq imagemagick > /dev/null
}
build=build-windows-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=OFF -DZQT_BUILD_BENCHMARKS=OFF \
  --no-warn-unused-cli > /dev/null
cmake --build "$build" --target ZQTTweaker zqt_device > /dev/null

# The program beside the device library it loads, and an empty device
# that answers at once.
demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo/device/settings"
cp "$build/src/main/ZQTTweaker.exe" "$build/src/devicesim/full/RAPI.DLL" "$demo/"
out=docs/screenshots
mkdir -p "$out"

. scripts/wine-session.sh "$build"
ZQT_DEVICE_FOLDER="$(winepath -w "$demo/device")" wine "$demo/ZQTTweaker.exe" /AdvancedOptions \
  > /dev/null 2>&1 &
window=$(xdotool search --sync --onlyvisible --name '^Quorvanta Tweaker' | head -1)
xdotool windowfocus --sync "$window"
# The tree has the focus; the troubleshooting page is six rows down.
xdotool key Down Down Down Down Down Down
sleep 1
# The first option's check box ticked, then the description of the focused
# option: the fifth row's.
xdotool mousemove --window "$window" 487 60 click 1
xdotool mousemove --window "$window" 300 110 click 1
sleep 1
import -window "$window" "$out/windows-troubleshooting.png"
echo "$out/windows-troubleshooting.png"
# "Show changes from defaults", the context menu's last entry, then the
# mouse resting on the option ticked above; the hint is a window of its own.
xdotool mousemove --window "$window" 300 60 click 3
sleep 1
xdotool key Up Return
xdotool mousemove --window "$window" 200 62
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "800x420+$X+$Y" "$out/windows-hint.png"
echo "$out/windows-hint.png"
