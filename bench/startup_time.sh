#!/bin/sh
# Start-up timings of line, each the median of several runs:
#  - from the start of "line /eq sin(x)-cos(x) -3 3" to its graph painted (the moment Qt's
#    painting log reports the graph widget drawn into the window's backing store);
#  - the hand-over: the whole life of a second "line file.tvp" while a first one runs.
# Uses the X display in DISPLAY when there is one, otherwise Qt's offscreen platform. Every run
# gets a private home and runtime folder, so the user's settings and running line stay apart.
#
#   bench/startup_time.sh [program folder, default build/bin] [runs, default 9]
set -eu

BIN=$(cd "${1:-build/bin}" && pwd)
RUNS=${2:-9}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if [ -z "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi
mkdir -p "$WORK/home/.config" "$WORK/runtime"
chmod 700 "$WORK/runtime"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_RUNTIME_DIR="$WORK/runtime"

# Milliseconds of the day for "hh:mm:ss.fraction".
msOfDay() { echo "$1" | awk -F: '{ printf "%.1f\n", ($1 * 3600 + $2 * 60 + $3) * 1000 }'; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Waits until `file` holds `pattern` (at most 10 s).
waitFor() {
    i=0
    while ! grep -q "$2" "$1" 2>/dev/null; do
        i=$((i + 1))
        [ $i -gt 1000 ] && { echo "timed out waiting for $2" >&2; return 1; }
        sleep 0.01
    done
}

# Only the painting category, with wall-clock times the script can compare with its own.
export QT_LOGGING_RULES="qt.widgets.painting=true"
export QT_MESSAGE_PATTERN="%{time hh:mm:ss.zzz} %{message}"

: > "$WORK/equation.txt"
run=0
while [ $run -lt "$RUNS" ]; do
    run=$((run + 1))
    log="$WORK/equation$run.log"
    start=$(date +%H:%M:%S.%N)
    "$BIN/line" /eq "sin(x)-cos(x)" -3 3 2> "$log" &
    pid=$!
    waitFor "$log" 'Drawing.*GraphView.*"Picture1"'
    kill "$pid"; wait "$pid" 2>/dev/null || true
    painted=$(grep -m1 'Drawing.*GraphView.*"Picture1"' "$log" | cut -d' ' -f1)
    echo "$(msOfDay "$painted") $(msOfDay "$start")" | awk '{ printf "%.1f\n", $1 - $2 }' >> "$WORK/equation.txt"
done
echo "start to graph painted (ms), median of $RUNS: $(median < "$WORK/equation.txt")  [all: $(tr '\n' ' ' < "$WORK/equation.txt")]"

unset QT_LOGGING_RULES
printf '[Trevolin]\nVersion=2.36.969\n[Function]\nName=x^3-x\n' > "$WORK/cubic.tvp"
"$BIN/line" 2> /dev/null &
first=$!
sleep 2
: > "$WORK/handover.txt"
run=0
while [ $run -lt "$RUNS" ]; do
    run=$((run + 1))
    start=$(date +%s%N)
    "$BIN/line" "$WORK/cubic.tvp"
    echo $(( ($(date +%s%N) - start) / 1000000 )) >> "$WORK/handover.txt"
done
kill "$first"; wait "$first" 2>/dev/null || true
echo "hand-over to the running instance (ms), median of $RUNS: $(median < "$WORK/handover.txt")  [all: $(tr '\n' ' ' < "$WORK/handover.txt")]"
