#!/usr/bin/env bash
# Counts how often the idle program wakes up: starts a private Xvfb with a window manager and
# a tray host, runs the program with a settings folder of its own (no job, or with "job" one
# enabled job waiting for a window title that never shows), lets the start-up window go, then
# counts the program's poll calls (every thread) with strace.
#   bench/idle_wakeups.sh [build dir] [seconds] [job]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-60}
jobs=${3:-}
program="$build/bin/quorvalline"

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$tmp/display")"
export XDG_RUNTIME_DIR="$tmp/runtime" XDG_CONFIG_HOME="$tmp/config" HOME="$tmp/home"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/quorvalline" "$HOME"
if [ "$jobs" = job ]; then
  cat >"$XDG_CONFIG_HOME/quorvalline/registry" <<REGISTRY
[HKEY_CURRENT_USER\\Software\\Quorvalline\\AutoCapture\\Waiting]
"JobType"="Window Title\\0"
"CaptureType"="Screen\\0"
"Trigger"="No window has this title\\0"
"SaveDir"="$tmp\\0"
"SaveName"="shot\\0"
"ImgFormat"=".png\\0"
"SavingType"="1\\0"
"FullPath"="$tmp/shot.png\\0"
"JobStatus"="1\\0"
REGISTRY
fi
openbox >/dev/null 2>&1 &
pids+=($!)
trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
  >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$program" >"$tmp/program.log" 2>&1 &
pids+=($!)
program_pid=$!
sleep 8  # the start-up window hides after five seconds
strace -f -qq -e trace=poll,ppoll,epoll_wait,select,pselect6,nanosleep,clock_nanosleep \
  -c -o "$tmp/strace" -p "$program_pid" &
strace_pid=$!
sleep "$seconds"
kill -INT "$strace_pid"
wait "$strace_pid" 2>/dev/null || true
# strace prints no table when nothing was called.
calls=$(awk '$NF == "total" { print $4 }' "$tmp/strace")
echo "${jobs:-no job}: ${calls:-0} poll calls in ${seconds} s (every thread)"
cat "$tmp/strace"
