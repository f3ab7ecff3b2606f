#!/usr/bin/env bash
# Installs what running needs, builds the two programs (not the tests) and starts Quorvalline
# on the current X display. Without a display it starts a private Xvfb with a window manager
# and a tray host, runs the program there and prints the display, so it can be driven with
# xdotool and looked at with a screenshot (both come with `scripts/deps.sh test`):
#   DISPLAY=:N xdotool ...      DISPLAY=:N import -window root shot.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}

bash "$root/scripts/build.sh" run
program="$build/bin/quorvalline"

if [ -n "${DISPLAY:-}" ]; then
  exec "$program" "$@"
fi

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

Xvfb -displayfd 3 -screen 0 "${QV_SCREEN:-1280x800x24}" -nolisten tcp 3>"$tmp/display" \
  2>"$tmp/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || { echo "run.sh: Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$tmp/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
openbox >/dev/null 2>&1 &
pids+=($!)
trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
  >/dev/null 2>&1 &
pids+=($!)

echo "Quorvalline runs on DISPLAY=$DISPLAY (private Xvfb); Ctrl+C ends it."
echo "  look:  DISPLAY=$DISPLAY import -window root /tmp/quorvalline.png"
echo "  drive: DISPLAY=$DISPLAY xdotool key ctrl+f"
echo "  (xdotool and import: scripts/deps.sh test)"
"$program" "$@"
