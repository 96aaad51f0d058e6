#!/bin/bash
# Whole-process benchmarks of kustel. Builds the program in build/default and the small C
# programs it is measured against, then prints the figures:
#   1. command-line mode stamping FILES files in one folder, against minimal_stamper (one stat
#      and one renameat2 per file) on a copy of the same folder, in the same run: the ratio of
#      the medians, and the peak memory of both;
#   2. one file, from start to exit, against a process that does nothing;
#   3. window mode under Qt's offscreen platform, from start until the window is first painted.
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
cmake --build "$BUILD" --target kustel -j 2 >/dev/null
mkdir -p "$BUILD/bench"
for program in minimal_stamper trivial run_timed; do
  cc -O2 -Wall -o "$BUILD/bench/$program" "bench/$program.c"
done
KUSTEL=$BUILD/app/kustel
TIMED=$BUILD/bench/run_timed

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM KUSTEL_BENCH_EXIT_WHEN_SHOWN
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
awk -v k="$kustel_ns" -v m="$minimal_ns" 'BEGIN { printf "ratio:           %.3f (target at most 1.10)\n", k / m }'

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

echo "== window mode (offscreen), start until the window is painted, $RUNS runs =="
: > "$WORK/window.times"
for run in $(seq 1 "$RUNS"); do
  # run_timed prints its line after the program's "shown" line.
  QT_QPA_PLATFORM=offscreen KUSTEL_BENCH_EXIT_WHEN_SHOWN=1 "$TIMED" "$KUSTEL" |
    awk '/^shown / { shown = $2 } !/^shown / { start = $1 } END { print shown - start }' \
      >> "$WORK/window.times"
done
echo "kustel window: median $(ms "$(median < "$WORK/window.times")")"
