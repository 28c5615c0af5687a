#!/bin/sh
# Instruction counts of the benchmarks under callgrind: stable across machines
# and runs, unlike times. Counts only the measured section of each benchmark.
#
#   tools/callgrind.sh [worksheet] [keystroke] [startup] [pdf]   (default: all four)
#
# Builds nothing: run ./tools/build.sh first. Slow (valgrind runs the program
# some 50 times slower); the sections are kept small. The profiles stay in
# $CALLGRIND_DIR (default: a temporary folder) for callgrind_annotate.
set -eu
cd "$(dirname "$0")/.."
bench=build/bench
for tool in valgrind callgrind_annotate; do
  command -v "$tool" >/dev/null || { echo "callgrind.sh: $tool is missing (tools/deps.sh installs it)" >&2; exit 1; }
done
out=${CALLGRIND_DIR:-$(mktemp -d)}
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} QT_LOGGING_RULES='*.debug=false;*.info=false'

# count NAME SECTION PROGRAM ARGS...: instructions executed inside SECTION.
count() {
  name=$1 section=$2; shift 2
  valgrind --tool=callgrind --callgrind-out-file="$out/$name.out" --toggle-collect="$section*" \
    "$@" >"$out/$name.log" 2>&1 || { echo "callgrind.sh: $name failed, see $out/$name.log" >&2; exit 1; }
  callgrind_annotate "$out/$name.out" 2>/dev/null | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }'
}

per() { awk -v total="$1" -v n="$2" 'BEGIN { printf "%.0f", total / n }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

what=${*:-worksheet keystroke startup pdf}
for item in $what; do
  case $item in
    worksheet)
      n=2000
      total=$(count worksheet measuredWorksheets "$bench/bench_guideline" --instructions $n)
      echo "worksheet: $(per "$total" $n) instructions per case (all lines of A and B and both warnings; $n cases)"
      ;;
    keystroke)
      n=20
      total=$(count keystroke measuredKeystrokes "$bench/bench_mainwindow" --keystrokes $n)
      echo "keystroke: $(per "$total" $n) instructions per keystroke to refreshed window ($n keystrokes)"
      ;;
    startup)
      edits=$("$bench/bench_mainwindow" --startup-child main | awk '{ print $3 }')
      main=$(count startup-main measuredStartup "$bench/bench_mainwindow" --startup-child main)
      bare=$(count startup-bare measuredStartup "$bench/bench_mainwindow" --startup-child bare "$edits")
      echo "start-up: main window $main instructions, bare window with $edits line edits $bare: ratio $(ratio "$main" "$bare")"
      ;;
    pdf)
      n=3
      total=$(count pdf measuredWorksheetPdfs "$bench/bench_pdf" --instructions $n)
      echo "pdf: $(per "$total" $((n * 3))) instructions per worksheet PDF (A, B and B before Oct 2020, $n each)"
      ;;
    *) echo "callgrind.sh: unknown benchmark '$item'" >&2; exit 1 ;;
  esac
done
echo "profiles: $out"
