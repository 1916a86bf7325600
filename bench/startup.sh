#!/usr/bin/env bash
# Start-up of the program to an idle, painted main window against a bare Qt Widgets window with
# the same buttons: wall time from exec and peak resident size, each program in processes of
# its own, RUNS runs each (alternating), reported as ratios (program over baseline).
#   bench/startup.sh [build folder, default build/release]   (configured with -DQM_BENCH=ON)
# Without DISPLAY it runs itself under xvfb-run (Qt's xcb platform); QT_QPA_PLATFORM=offscreen
# measures without a display server.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
runs=${RUNS:-21}
if [[ -z "${DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" != offscreen ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
app=$build/bench_startup_app
qt=$build/bench_startup_qt
for exe in "$app" "$qt"; do
  [[ -x $exe ]] || { echo "missing $exe: build with -DQM_BENCH=ON" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}
QM_STARTUP_LAYOUT=$work/layout "$app"

# One run: prints "<ns from exec to idle> <peak KiB>". The clock is read in the process that
# then becomes the program (no fork in between).
measure() {
  local out start idle peak
  out=$(echo "start=${EPOCHREALTIME/./}"; exec "$@")
  start=${out#start=}; start=${start%%$'\n'*}
  idle=${out##*idle_ns=}; idle=${idle%% *}
  peak=${out##*peak_kib=}
  echo "$((idle - start * 1000)) $peak"
}

: >"$work/app" ; : >"$work/qt"
measure "$app" >/dev/null 2>"$work/app.err"; measure "$qt" "$work/layout" >/dev/null  # warm the file cache
for ((i = 0; i < runs; ++i)); do
  measure "$app" >>"$work/app"
  measure "$qt" "$work/layout" >>"$work/qt"
done

# Medians, and minimums (the least disturbed run; the machine may be busy with other work).
stat() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1] }'; }
read -r app_ns app_ns_min < <(cut -d' ' -f1 "$work/app" | stat)
read -r qt_ns qt_ns_min < <(cut -d' ' -f1 "$work/qt" | stat)
read -r app_kib _ < <(cut -d' ' -f2 "$work/app" | stat)
read -r qt_kib _ < <(cut -d' ' -f2 "$work/qt" | stat)
echo "platform ${QT_QPA_PLATFORM:-xcb}, $runs runs each; buttons: $(($(wc -l <"$work/layout") - 1))"
grep -h "label measurements" "$work/app.err" || true
awk -v an="$app_ns" -v qn="$qt_ns" -v am="$app_ns_min" -v qm="$qt_ns_min" -v ak="$app_kib" -v qk="$qt_kib" 'BEGIN {
  printf "start-up (median)  program %7.1f ms   Qt %7.1f ms   ratio %.2f\n", an / 1e6, qn / 1e6, an / qn
  printf "start-up (least)   program %7.1f ms   Qt %7.1f ms   ratio %.2f\n", am / 1e6, qm / 1e6, am / qm
  printf "peak RSS (median)  program %7.1f MiB  Qt %7.1f MiB  ratio %.2f\n", ak / 1024, qk / 1024, ak / qk
}'
