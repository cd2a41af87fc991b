# Shared helpers for end-to-end tests of the real program under Xvfb.
# Sourced, not run: the test scripts in this folder call these.

# Starts a private Xvfb display and exports DISPLAY. $1: screen geometry.
start_display() {
  local geometry=${1:-1024x768x24}
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  DISPLAY=":$(head -n1 "$fd_file")"
  export DISPLAY
  rm -f "$fd_file"
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  return 0
}

# A fresh, empty per-user folder for the program.
fresh_home() {
  TEST_HOME=$(mktemp -d)
  export HOME="$TEST_HOME"
  unset XDG_DATA_HOME
}

# Starts the program in the background with output captured in $OUT and $ERR.
start_program() {
  OUT=$(mktemp)
  ERR=$(mktemp)
  "$@" >"$OUT" 2>"$ERR" &
  PROGRAM_PID=$!
}

# Waits up to $2 seconds for standard output to contain the text $1.
wait_for_output() {
  local text=$1 seconds=${2:-20}
  for _ in $(seq $((seconds * 10))); do
    grep -qF -- "$text" "$OUT" && return 0
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "FAIL: no output line containing '$text'" >&2
  echo "--- stdout" >&2; cat "$OUT" >&2
  echo "--- stderr" >&2; cat "$ERR" >&2
  return 1
}

# Sends SIGTERM and checks the program ends with status 0.
stop_program() {
  kill -TERM "$PROGRAM_PID"
  local status=0
  wait "$PROGRAM_PID" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "FAIL: exit status $status after SIGTERM" >&2
    cat "$ERR" >&2
    return 1
  fi
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
