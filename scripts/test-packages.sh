#!/usr/bin/env bash
# Makes the packages and checks them as people meet them.
#
# The Debian package, from a release build with Debian's hardening flags
# (build-package/), configured, built and packed as the README's Install
# section does it with only the programs a fresh Debian 12 has and those of
# scripts/packages.txt (with what they depend on) to be found: lintian finds
# no error in it, its dependencies come from the system, it holds exactly
# the programs and their files (no simulated device, no demo), its desktop
# entry and AppStream metadata validate, the entry asks for startup
# notification, and its zqttweak, run from the unpacked package, tells its
# version and lists the desktop's options without a display.
#
# The Windows archive, from build-windows/ (which scripts/test-windows.sh
# builds, with its Wine prefix): it holds the programs the build made and a
# text for Windows users, each program carries its version resource and
# icon, and its zqttweak.exe tells its version under Wine.
#
# Each part runs as a script of its own (scripts/test-packages.sh deb|zip),
# whatever the other gives; a failure of either fails this.
set -euo pipefail
cd "$(dirname "$0")/.."
app_id=io.github.zqttweaker.ZQTTweaker

# Prints what differs between the files under Folder and the expected list
# on standard input, and fails if anything does.
check_files() {
  local folder=$1
  diff -u <(sort) <(cd "$folder" && find . -type f | sort) \
    || { echo "unexpected files in the package (- missing, + extra)" >&2; return 1; }
}

# Fails unless Told is what zqttweak --version says for a package of
# Version (1.9.1.0): the version without its build number (1.9.1).
check_version_told() {
  local version=$1 told=$2
  [ "$told" = "zqttweak ${version%.*}" ] \
    || { echo "zqttweak --version told '$told' in the package of $version" >&2; return 1; }
}

# Fills Folder with links to the programs of the installed packages that a
# fresh Debian 12 has (the essential and required ones) and of those
# scripts/packages.txt names, with every package they depend on: the
# programs the Install section's commands may find.
link_install_programs() {
  local folder=$1 packages
  # The dependencies as apt names them (a foreign architecture's packages
  # with their architecture), then as dpkg names the installed ones.
  mapfile -t packages < <(
    { dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' \
        | awk '$2 == "yes" || $3 == "required" { print $1 }'
      grep -v '^\s*\(#\|$\)' scripts/packages.txt; } \
      | xargs apt-cache depends --recurse --installed --no-recommends --no-suggests \
        --no-conflicts --no-breaks --no-replaces --no-enhances \
      | grep -v '^[ <]' \
      | awk -v native="$(dpkg --print-architecture)" 'NR == FNR { wanted[$1]; next }
          $1 == "ii" && (($3 == native || $3 == "all") ? $2 : $2 ":" $3) in wanted { print $4 }' \
        - <(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Architecture} ${binary:Package}\n'))
  rm -rf "$folder"
  mkdir -p "$folder"
  dpkg -L "${packages[@]}" | grep -E '^(/usr)?/s?bin/[^/]+$' | while read -r program; do
    if [ -f "$program" ] && [ -x "$program" ]; then ln -sf "$program" "$folder/"; fi
  done
}

check_deb() {
  local build=build-package flags programs ignored
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
  # Only those programs are found: on the path, and where CMake and CPack
  # look for programs of their own accord (the system's folders are
  # ignored). The cache goes, so that the compilers are looked for anew.
  programs=$PWD/$build/install-programs
  ignored="/usr/local/sbin;/usr/local/bin;/usr/sbin;/usr/bin;/sbin;/bin"
  link_install_programs "$programs"
  rm -f "$build/CMakeCache.txt"
  PATH=$programs cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZQT_BUILD_TESTS=OFF -DZQT_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" -DCMAKE_IGNORE_PATH="$ignored" \
    > /dev/null
  PATH=$programs cmake --build "$build"
  rm -f "$build"/*.deb
  (cd "$build" && PATH=$programs cpack -G DEB -D CMAKE_IGNORE_PATH="$ignored" > /dev/null)
  local deb
  deb=$(echo "$build"/zqttweaker_*.deb)
  echo "Checking $deb"
  lintian --fail-on error "$deb"
  dpkg-deb -f "$deb" Depends | grep 'libqt6widgets6 (>=' > /dev/null \
    || { echo "no dependencies from the system: $(dpkg-deb -f "$deb" Depends)" >&2; return 1; }

  local root=$scratch/deb
  dpkg -x "$deb" "$root"
  check_files "$root" <<EOF
./usr/bin/ZQTTweaker
./usr/bin/zqttweak
./usr/share/applications/$app_id.desktop
./usr/share/doc/zqttweaker/changelog.gz
./usr/share/doc/zqttweaker/copyright
./usr/share/icons/hicolor/scalable/apps/$app_id.svg
./usr/share/man/man1/ZQTTweaker.1.gz
./usr/share/man/man1/zqttweak.1.gz
./usr/share/metainfo/$app_id.metainfo.xml
EOF
  appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
  # Hints fail it too: the validator exits 0 on them.
  local desktop_hints
  desktop_hints=$(desktop-file-validate "$root/usr/share/applications/$app_id.desktop" 2>&1) \
    && [ -z "$desktop_hints" ] || { echo "$desktop_hints" >&2; return 1; }
  grep -qx 'StartupNotify=true' "$root/usr/share/applications/$app_id.desktop" \
    || { echo "the desktop entry asks for no startup notification" >&2; return 1; }

  check_version_told "$(dpkg-deb -f "$deb" Version)" "$("$root/usr/bin/zqttweak" --version)"
  env -u DISPLAY -u WAYLAND_DISPLAY -u ZQT_RAPI_LIBRARY -u ZQT_DEVICE_FOLDER \
    ZQT_REGISTRY_FILE="$scratch/registry.db" "$root/usr/bin/zqttweak" --list \
    | grep '^drag-drop-delay' > /dev/null \
    || { echo "zqttweak --list does not list the desktop's options" >&2; return 1; }
  echo "The Debian package: passed"
}

# Fails unless Executable has a version resource (type 16) and an icon
# group (type 14) holding the sizes Windows shows.
check_resources() {
  local executable=$1
  wrestool -l --type=16 "$executable" | grep . > /dev/null \
    || { echo "$executable has no version resource" >&2; return 1; }
  local icon=$scratch/icon.ico sizes
  wrestool -x --type=14 -o "$icon" "$executable"
  sizes=$(icotool -l "$icon" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | xargs)
  [ "$sizes" = "16 24 32 48 256" ] \
    || { echo "$executable has an icon of sizes '$sizes'" >&2; return 1; }
}

check_zip() {
  local build=build-windows
  rm -f "$build"/*.zip
  (cd "$build" && cpack -G ZIP > /dev/null)
  local zip
  zip=$(echo "$PWD/$build"/ZQTTweaker-*-win32.zip)
  echo "Checking $zip"
  local root=$scratch/zip folder
  mkdir -p "$root"
  (cd "$root" && cmake -E tar xf "$zip")
  folder=$root/$(basename "$zip" .zip)
  local expected=(./README.txt ./zqttweak.exe)
  [ -n "$(find "$build/src" -name ZQTTweaker.exe)" ] && expected+=(./ZQTTweaker.exe)
  printf '%s\n' "${expected[@]}" | check_files "$folder"
  for executable in "$folder"/*.exe; do check_resources "$executable"; done

  source scripts/wine-env.sh
  trap 'wineserver -k > /dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
  local version=${folder##*/ZQTTweaker-}
  check_version_told "${version%-win32}" "$(wine "$folder/zqttweak.exe" --version | tr -d '\r')"
  echo "The Windows archive: passed"
}

if [ $# -eq 1 ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  "check_$1"
  exit
fi
status=0
for part in deb zip; do
  scripts/test-packages.sh "$part" || status=1
done
exit "$status"
