#!/usr/bin/env bash
# What stops the real program and what does not: a missing assets folder and
# a broken settings file leave start-up going; SDL failing to start ends it
# with its error text and status 1.
set -euo pipefail
program=$1
here=$(dirname "$0")
. "$here/lib.bash"

alone=$(mktemp -d)
homes=()
trap 'stop_display; rm -rf "$alone" "${homes[@]}"' EXIT

# Checks that standard output holds the given lines in this order (other
# lines may come between them); the lines end in CR LF.
expect_in_order() {
  local expected=("$@") i=0 line
  mapfile -t lines < <(tr -d '\r' <"$OUT")
  for line in "${lines[@]}"; do
    [ $i -lt ${#expected[@]} ] && [ "$line" = "${expected[$i]}" ] && i=$((i + 1))
  done
  [ $i -eq ${#expected[@]} ] || { cat "$OUT" >&2; fail "missing or out of order: ${expected[$i]}"; }
}

# Standard error must hold no fatal report.
expect_no_report() {
  ! grep -q "unhandled exception" "$ERR" || { cat "$ERR" >&2; fail "fatal report: $1"; }
}

start_display

# 1. Without an assets folder beside it, the program still starts (no
#    default font) and runs until it is stopped.
fresh_home
homes+=("$TEST_HOME")
cp "$program" "$alone/pegwick"
[ ! -e "$alone/assets" ] || fail "assets folder beside the copy"
start_program "$alone/pegwick"
wait_for_output "resize event: scale: " 20
expect_in_order \
  "added game controller: -1: Keyboard: KEYBOARD" \
  "basePath: $alone/" \
  "writePath: $HOME/.local/share/brindle/pegwick/" \
  "no config file loaded" \
  "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )"
grep -q "font created from" "$ERR" && fail "a font was loaded without assets"
stop_program
expect_no_report "without assets"

# 2. A settings file with a syntax error is still loaded, and the program
#    goes on running.
fresh_home
homes+=("$TEST_HOME")
user="$HOME/.local/share/brindle/pegwick"
mkdir -p "$user"
printf '[keys]\nup = w\n[broken\ndown = s\n' >"$user/config.ini"
start_program "$program"
wait_for_output "resize event: scale: " 20
expect_in_order \
  "writePath: $user/" \
  "loaded config from $user//config.ini" \
  "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )"
grep -q "no config file loaded" "$OUT" && fail "the broken settings file was not loaded"
stop_program
expect_no_report "broken settings file"

# 3. SDL cannot start (no display for its video driver): its error text is
#    the one output line and the status is 1.
fresh_home
homes+=("$TEST_HOME")
status=0
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$program" >"$OUT" 2>"$ERR" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status when SDL cannot start"
mapfile -t lines <"$OUT"
[ ${#lines[@]} -eq 1 ] || { cat "$OUT" >&2; fail "expected only SDL's error line"; }
[[ "${lines[0]}" == ?*$'\r' ]] || fail "SDL's error line is empty or does not end in CR LF"
[ ! -s "$ERR" ] || { cat "$ERR" >&2; fail "unexpected standard error"; }

echo "fatal_error: ok"
