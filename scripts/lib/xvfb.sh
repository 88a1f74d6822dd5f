# shellcheck shell=bash
# gkr_ensure_display: starts Xvfb on a free display when DISPLAY is unset, and
# stops it (by its process id) when the calling script exits.
gkr_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local dfile
  dfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dfile" >/dev/null 2>&1 &
  GKR_XVFB_PID=$!
  trap 'kill "$GKR_XVFB_PID" 2>/dev/null || true' EXIT
  local i
  for i in $(seq 1 200); do
    [ -s "$dfile" ] && break
    sleep 0.05
  done
  if [ ! -s "$dfile" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(tr -d '\n' < "$dfile")"
  rm -f "$dfile"
}
