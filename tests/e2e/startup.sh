#!/usr/bin/env bash
# The real program starts with an empty per-user folder, logs its start-up
# in order, keeps running, and ends with status 0 on SIGTERM.
set -euo pipefail
program=$1
here=$(dirname "$0")
. "$here/lib.bash"
trap 'stop_display' EXIT

fresh_home
start_display
start_program "$program"
wait_for_output "resize event: scale: " 20

expected=(
  "added game controller: -1: Keyboard: KEYBOARD"
  "basePath: $(dirname "$program")/"
  "writePath: $HOME/.local/share/brindle/pegwick/"
  "no config file loaded"
  "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )"
)
# The lines end in CR LF; compare without the CR, in order.
mapfile -t lines < <(tr -d '\r' <"$OUT")
i=0
for line in "${lines[@]}"; do
  [ $i -lt ${#expected[@]} ] && [ "$line" = "${expected[$i]}" ] && i=$((i + 1))
done
[ $i -eq ${#expected[@]} ] || { cat "$OUT" >&2; fail "start-up lines missing or out of order at: ${expected[$i]}"; }
grep -q $'\r$' "$OUT" || fail "output lines do not end in CR LF"

sleep 1
kill -0 "$PROGRAM_PID" || fail "the program stopped on its own"
stop_program
echo "startup: ok"
