#!/bin/sh
# The Wine wrapper's verdicts, with a stand-in `wine` on PATH that behaves as planned for each
# start: only a start that Wine itself failed is run once more; a program's own failure, a crash
# and a test run cut short all count as failed, even where Wine's status says 0.
# Usage: wine_run_test.sh WINE_RUN
set -u
wine_run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A prefix that needs nothing more, and the stand-ins for Wine's commands.
prefix=$work/prefix
mkdir -p "$prefix/drive_c/windows/Fonts" "$work/bin"
touch "$prefix/.kustel-ready" "$prefix/drive_c/windows/Fonts/tahoma.ttf"
cat >"$work/bin/wineserver" <<'STANDIN'
#!/bin/sh
exit 1  # a server runs already
STANDIN
# Each start takes the next line of the plan: what the program (or Wine) does this time.
cat >"$work/bin/wine" <<'STANDIN'
#!/bin/sh
count=$(($(cat "$PLAN.count" 2>/dev/null || echo 0) + 1))
echo "$count" >"$PLAN.count"
case $(sed -n "${count}p" "$PLAN") in
  unstarted) echo "wine: could not load kernel32.dll, status c0000135" >&2; exit 1 ;;
  passes) echo "[==========] 1 test ran."; echo "[  PASSED  ] 1 test."; exit 0 ;;
  fails) echo "[  FAILED  ] Suite.Case"; exit 1 ;;
  crashes) echo "Unhandled exception: page fault"
           echo "wine: Unhandled page fault on read access to 0000000000000000" >&2; exit 0 ;;
  stops) echo "[ RUN      ] Suite.Case"; exit 0 ;;
  silent) exit 0 ;;
esac
STANDIN
chmod +x "$work/bin/wine" "$work/bin/wineserver"

failures=0
# check NAME PLAN EXPECTED_STATUS EXPECTED_STARTS EXPECTED_NOTE [ARGUMENTS...]
check() {
  name=$1 plan=$2 want_status=$3 want_starts=$4 want_note=$5
  shift 5
  printf '%s\n' $plan >"$work/plan"
  rm -f "$work/plan.count"
  PATH="$work/bin:$PATH" PLAN="$work/plan" sh "$wine_run" "$prefix" test.exe "$@" \
    >"$work/out" 2>"$work/err"
  status=$?
  starts=$(cat "$work/plan.count")
  note=$(grep -c "^wine-run.sh: .*$want_note" "$work/err")
  if [ "$status" -eq "$want_status" ] && [ "$starts" -eq "$want_starts" ] &&
     { [ -z "$want_note" ] && ! grep -q '^wine-run.sh' "$work/err" || [ "$note" -eq 1 ]; }; then
    echo "ok: $name"
  else
    echo "FAILED: $name: status $status (want $want_status), starts $starts (want $want_starts)"
    sed 's/^/  /' "$work/err"
    failures=$((failures + 1))
  fi
}

gtest=--gtest_filter=Suite.Case
check "a test that passes runs once" "passes" 0 1 "" $gtest
check "a test that fails is not run again" "fails passes" 1 1 "" $gtest
check "a start Wine failed is run once more, and said so" "unstarted passes" 0 2 \
  "starting it once more" $gtest
check "Wine failing twice fails" "unstarted unstarted" 1 2 "the second time either" $gtest
check "a test program Wine ended silently is run once more" "silent passes" 0 2 \
  "starting it once more" $gtest
check "a crash fails though Wine says 0, and is not run again" "crashes passes" 1 1 "crashed" \
  $gtest
check "a test run cut short fails though Wine says 0" "stops passes" 1 1 "ended before" $gtest
check "listing the tests needs no summary" "stops" 0 1 "" --gtest_list_tests
check "a program that is no test may print nothing" "silent" 0 1 ""

[ "$failures" -eq 0 ]
