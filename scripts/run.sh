#!/usr/bin/env bash
# Starts the demo web service on a free loopback port beside the player, points the player's
# services.ini at it, runs the player and stops the service when the player exits.
set -euo pipefail
build=${1:-build}
app="$build/app"
demo="$app/tunewharf-demo"
mkdir -p "$app/bin"
demo_pid=""
cleanup() { [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true; }
trap cleanup EXIT INT TERM
if [ -x "$demo" ]; then
  log=$(mktemp)
  "$demo" --port 0 --services "$app/bin/services.ini" --radiolist "$app/bin/radiolist.ini" >"$log" 2>&1 &
  demo_pid=$!
  for _ in $(seq 1 50); do
    grep -q "listening on" "$log" && break
    sleep 0.1
  done
  grep "listening on" "$log" || echo "demo web service did not start; web features need services.ini"
fi
"$app/tunewharf"
