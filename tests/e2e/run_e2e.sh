#!/usr/bin/env bash
# Runs one end-to-end scenario on a virtual display of its own.
# Usage: run_e2e.sh SCENARIO PROGRAM CUTLIST_PROGRAM SCREENSHOT_FOLDER
# Exits 77 (skipped) when there is no virtual display or no way to send input events.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
scenario="$1" program="$2" cutlist="$3" shots="$4"

for tool in xvfb-run xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done

# xvfb-run -a picks a free display number, but another server may take the same one before
# ours starts. The driver marks when the display and its window manager are up; a run that never
# got that far is tried again on a new display, a verdict after it stands.
started="$(mktemp)"
trap 'rm -f "$started"' EXIT
for attempt in 1 2 3; do
  : > "$started"
  status=0
  xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
    python3 "$here/hollowmere_e2e.py" "$scenario" --program "$program" --cutlist "$cutlist" \
    --shots "$shots" --started "$started" || status=$?
  if [ -s "$started" ]; then exit "$status"; fi
  echo "the virtual display did not come up (attempt $attempt, status $status)"
  sleep $((attempt * 2))
done
exit 1
