# Shell functions (sourced, not run) that start and stop a private Xvfb server.
# xvfb_start sets XVFB_PID and exports DISPLAY; xvfb_stop ends that server.
# Xvfb picks a free display number itself (-displayfd), so parallel callers
# never share a display.

xvfb_start() {
  local ready_file
  ready_file=$(mktemp "${TMPDIR:-/tmp}/qxqy-xvfb.XXXXXX")
  # Large enough for windows placed near the right edge of a 1366-wide screen.
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$ready_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  local tries=0
  while [ ! -s "$ready_file" ]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$tries" -ge 200 ]; then
      echo "xvfb: the X server did not start" >&2
      rm -f "$ready_file"
      return 1
    fi
    sleep 0.05
    tries=$((tries + 1))
  done
  export DISPLAY=":$(head -n1 "$ready_file")"
  rm -f "$ready_file"
}

xvfb_stop() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
