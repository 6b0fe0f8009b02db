#!/usr/bin/env bash
# Takes the README's screenshots: the program on the demo (a prepared
# desktop registry and a simulated device), one picture of each page, in a
# virtual X server. Writes docs/screenshots/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh --tests
command -v import > /dev/null || {
  sudo_if_needed=()
  [ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_if_needed[@]}" apt-get install -y -qq imagemagick > /dev/null
}
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQT_BUILD_TESTS=OFF \
  -DZQT_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build build-release --target ZQTTweaker zqt_prepare_demo zqt_device > /dev/null

rm -rf build-release/screenshot-demo
folder=$(build-release/tools/zqt_prepare_demo build-release/screenshot-demo)
out=docs/screenshots
mkdir -p "$out"

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2> /dev/null)
read -r display <&3
export DISPLAY=":$display"
ZQT_REGISTRY_FILE="$folder/desktop.db" ZQT_DEVICE_FOLDER="$folder/device" \
  ZQT_RAPI_LIBRARY="$PWD/build-release/src/devicesim/libzqtrapi.so" \
  build-release/src/main/ZQTTweaker 2> /dev/null &
program=$!
trap 'kill $program 2> /dev/null; pkill -f "Xvfb -displayfd" 2> /dev/null || true' EXIT

window=$(xdotool search --sync --onlyvisible --name '^Quorvanta Tweaker' | head -1)
xdotool windowfocus --sync "$window"
shoot() {
  sleep 1
  import -window "$window" "$out/$1.png"
  echo "$out/$1.png"
}
# The tree has the focus; each page is two rows below the one before.
shoot about
for page in desktop pocketpc troubleshooting; do
  xdotool key Down Down
  shoot "$page"
done
# The description follows the focused option: the fifth row's.
xdotool mousemove --window "$window" 300 115 click 1
shoot troubleshooting-description
# "Save all logs to ..." into a fresh folder, typed into the folder dialog.
collected="$folder/collected"
mkdir -p "$collected"
xdotool mousemove --window "$window" 237 318 click 1
sleep 1
xdotool type --delay 20 "$collected"
xdotool key Return
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "559x367+$X+$Y" "$out/log-collection.png"
echo "$out/log-collection.png"
xdotool key Return
# The option list's context menu, then "Show changes from defaults" chosen
# from it (the last entry), with the hint of a changed option.
sleep 1
crop() {
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${2}x${3}+$X+$Y" "$out/$1.png"
  echo "$out/$1.png"
}
xdotool mousemove --window "$window" 300 128 click 3
crop context-menu 559 367
xdotool key Up Return
xdotool mousemove --window "$window" 280 129
crop show-changes 800 420
