#!/bin/bash
# Whole-process benchmarks of kustel. Builds the program in build/default and the small C
# programs it is measured against, then prints the figures:
#   1. command-line mode stamping FILES files in one folder, against minimal_stamper (one stat
#      and one renameat2 per file) on a copy of the same folder, in the same run: the ratio of
#      the medians, and the peak memory of both;
#   2. one file, from start to exit, against a process that does nothing;
#   3. the file system calls per file in command-line mode, counted with strace -c;
#   4. window mode on a private X server (Xvfb), from start until the main window is mapped,
#      seen from outside the program.
# RUNS, FILES and ONE_FILE_RUNS change the number of repetitions and files; BUILD another build
# folder (configured like the default preset).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build/default}
RUNS=${RUNS:-7}
FILES=${FILES:-10000}
ONE_FILE_RUNS=${ONE_FILE_RUNS:-30}

cd "$ROOT"
if [[ $BUILD == "$ROOT/build/default" ]]; then
  cmake --preset default >/dev/null
else
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD" --target kustel kustel_window x_window -j 2 >/dev/null
mkdir -p "$BUILD/bench"
for program in minimal_stamper trivial run_timed; do
  cc -O2 -Wall -o "$BUILD/bench/$program" "bench/$program.c"
done
KUSTEL=$BUILD/app/kustel
TIMED=$BUILD/bench/run_timed

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run HOME=$WORK/home TZ=Europe/Berlin
mkdir -p "$XDG_CONFIG_HOME/tolm/kustel" "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# File date, layout YYYY-MM-DD-, keep: the job minimal_stamper does too.
printf '10000099999999xxx' > "$XDG_CONFIG_HOME/tolm/kustel/cfg_regstring"

# A folder with $2 files last written on 5 November 2024, and the list of their paths.
make_folder() {
  rm -rf "$1"
  mkdir -p "$1"
  (cd "$1" && seq -f 'scan%05g.pdf' 1 "$2" | xargs touch -d '2024-11-05 14:32')
  seq -f "$1/scan%05g.pdf" 1 "$2" > "$1.list"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.2f ms", ns / 1e6 }'; }

stamped() { find "$1" -name '2024-11-05-scan*' | wc -l; }

echo "== command-line mode, $FILES files in one folder, $RUNS runs =="
: > "$WORK/kustel.times"
: > "$WORK/minimal.times"
for run in $(seq 1 "$RUNS"); do
  make_folder "$WORK/a" "$FILES"
  make_folder "$WORK/b" "$FILES"
  sync
  # Alternate which goes first, so neither always meets a warmer cache.
  if ((run % 2)); then
    "$TIMED" "@$WORK/a.list" "$KUSTEL" >> "$WORK/kustel.times"
    "$TIMED" "@$WORK/b.list" "$BUILD/bench/minimal_stamper" >> "$WORK/minimal.times"
  else
    "$TIMED" "@$WORK/b.list" "$BUILD/bench/minimal_stamper" >> "$WORK/minimal.times"
    "$TIMED" "@$WORK/a.list" "$KUSTEL" >> "$WORK/kustel.times"
  fi
  if [[ $(stamped "$WORK/a") -ne $FILES || $(stamped "$WORK/b") -ne $FILES ]]; then
    echo "run $run: not every file was stamped" >&2
    exit 1
  fi
done
kustel_ns=$(cut -d' ' -f2 "$WORK/kustel.times" | median)
minimal_ns=$(cut -d' ' -f2 "$WORK/minimal.times" | median)
kustel_kb=$(cut -d' ' -f3 "$WORK/kustel.times" | sort -n | tail -1)
minimal_kb=$(cut -d' ' -f3 "$WORK/minimal.times" | sort -n | tail -1)
echo "kustel:          median $(ms "$kustel_ns"), peak memory $kustel_kb KiB"
echo "minimal_stamper: median $(ms "$minimal_ns"), peak memory $minimal_kb KiB"
awk -v k="$kustel_ns" -v m="$minimal_ns" 'BEGIN { printf "ratio:           %.3f (target at most 1.05)\n", k / m }'

echo "== one file, start to exit, $ONE_FILE_RUNS runs =="
: > "$WORK/one.times"
: > "$WORK/trivial.times"
for run in $(seq 1 "$ONE_FILE_RUNS"); do
  make_folder "$WORK/one" 1
  "$TIMED" "$KUSTEL" "$WORK/one/scan00001.pdf" >> "$WORK/one.times"
  "$TIMED" "$BUILD/bench/trivial" >> "$WORK/trivial.times"
done
echo "kustel, one file: median $(ms "$(cut -d' ' -f2 "$WORK/one.times" | median)")"
echo "trivial process:  median $(ms "$(cut -d' ' -f2 "$WORK/trivial.times" | median)")"

echo "== file system calls per file, command-line mode, strace -c =="
if command -v strace >/dev/null; then
  # Calls that name a path or a descriptor's file, for a run with no file and one with FILES:
  # the difference divided by FILES is what each file costs.
  count_calls() {
    strace -f -c -o "$WORK/strace" -e trace=%file,%desc "$KUSTEL" "$@" >/dev/null 2>&1 || true
    awk '$NF == "total" { print $(NF-2) }' "$WORK/strace"
  }
  make_folder "$WORK/s" "$FILES"
  base=$(count_calls "$WORK/none.pdf")
  all=$(count_calls $(cat "$WORK/s.list"))
  awk -v a="$all" -v b="$base" -v n="$FILES" \
    'BEGIN { printf "per file: %.2f calls (%d for %d files, %d for one missing file)\n", (a - b) / n, a, n, b }'
  # The calls that come once per file, from the run with every file.
  awk -v n="$FILES" 'NR > 2 && $4 + 0 >= n / 2 { printf "  %-12s %d\n", $NF, $4 }' "$WORK/strace"
else
  echo "strace is not installed (apt-get install strace)"
fi

echo "== window mode (Xvfb), start until the main window is mapped, $RUNS runs =="
if command -v Xvfb >/dev/null; then
  exec 8< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
  server=$!
  trap 'kill "$server" 2>/dev/null; rm -rf "$WORK"' EXIT
  read -r -u 8 display
  export DISPLAY=:$display
  : > "$WORK/window.times"
  for run in $(seq 1 "$RUNS"); do
    rm -f "$XDG_CONFIG_HOME/tolm/kustel/cfg_regstring"
    start=$(date +%s%N)
    "$KUSTEL" 2>/dev/null &
    program=$!
    "$BUILD/tests/x_window" wait-mapped 'Programm KUSTEL' 30 >/dev/null
    echo $(($(date +%s%N) - start)) >> "$WORK/window.times"
    kill "$program"
    wait "$program" 2>/dev/null || true
  done
  echo "kustel window: median $(ms "$(median < "$WORK/window.times")")"
  unset DISPLAY
else
  echo "Xvfb is not installed"
fi
