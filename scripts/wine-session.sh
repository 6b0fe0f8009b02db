# Sourced by the scripts that run Windows programs under Wine:
#
#   . scripts/wine-session.sh BUILD_FOLDER
#
# starts a fresh Wine prefix inside the build folder, on a virtual X server
# of its own (windows need a display), with neither Mono nor Gecko. The X
# server and the Wine server are started once and stopped when the script
# ends, however it ends.
wine_build=$1
source scripts/wine-env.sh
export WINEPREFIX="$PWD/$wine_build/wine-prefix"
wineserver -k > /dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# The X server writes its display number once it takes connections.
wine_display_file="$wine_build/xvfb-display"
rm -f "$wine_display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$wine_display_file" 2> /dev/null &
wine_xvfb=$!
wine_keeper="$WINEPREFIX.keeper"
trap 'wineserver -k > /dev/null 2>&1 || true; kill "$wine_xvfb" 2> /dev/null || true; rm -f "$wine_keeper"' EXIT
for _ in $(seq 100); do
  [ -s "$wine_display_file" ] && break
  sleep 0.1
done
[ -s "$wine_display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$wine_display_file")"
# The server first: one started by wineboot would not stay.
wineserver -p > /dev/null 2>&1
wineboot -i > /dev/null 2>&1
# One program of the prefix waits for the whole session (on a pipe that
# stays open until the script ends), so that Wine's own processes (the
# service manager, the desktop) stay up between the programs run. When the
# last program of a prefix ends, they end; started again minutes later, the
# desktop waited ten seconds for the RPC service and every program with a
# window took twelve seconds or more to start instead of two.
rm -f "$wine_keeper"
mkfifo "$wine_keeper"
wine cmd /c pause < "$wine_keeper" > /dev/null 2>&1 &
exec {wine_keeper_fd}> "$wine_keeper"
