#!/bin/sh
# Builds one libFuzzer target with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) into ./build-fuzz and runs it on one core.
# Usage: tools/fuzz.sh TARGET [libFuzzer options]
#   TARGET: casefile, alimonyfile or manifest
#   default options: -max_total_time=600; e.g. -runs=10000000 for a count
# Inputs are at most 16 KB for case files and 4 KB for the others, a few
# times what the program ever reads: longer ones only slow the search down.
# The corpus grows in build-fuzz/corpus/TARGET, seeded from
# tests/fuzz/corpus/TARGET; inputs that fail land in build-fuzz/crashes/TARGET,
# the fuzzer's report in build-fuzz/fuzz-0.log.
set -eu
cd "$(dirname "$0")/.."
target=${1:-}
case "$target" in
  casefile) shift; max_len=16384 ;;
  alimonyfile|manifest) shift; max_len=4096 ;;
  *) echo "usage: tools/fuzz.sh casefile|alimonyfile|manifest [libFuzzer options]" >&2; exit 2 ;;
esac
[ $# -gt 0 ] || set -- -max_total_time=600

./tools/deps.sh
missing=""
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVA_FUZZ=ON -DORVA_BUILD_TESTS=OFF -DORVA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "fuzz_$target"
root=$(pwd)
mkdir -p "build-fuzz/corpus/$target" "build-fuzz/crashes/$target"
# Scratch files of the targets on a memory file system where there is one.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
# One job in a worker process; its output goes to build-fuzz/fuzz-0.log.
cd build-fuzz
exec "./tests/fuzz/fuzz_$target" "corpus/$target" "$root/tests/fuzz/corpus/$target" \
  -jobs=1 -workers=1 -max_len=$max_len -timeout=10 -rss_limit_mb=4096 \
  -artifact_prefix="crashes/$target/" -print_final_stats=1 "$@"
