#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UBSan, runs every test under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh

build=$root/build-tests
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DNEKTARU_SANITIZE=ON -DNEKTARU_BIN_DIR="$build/Bin"
cmake --build "$build" -j"$(nproc)"

HOME=$(mktemp -d)
export HOME ALSOFT_DRIVERS=null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0
# Every test must run here: one that skipped (no display, say) fails the run.
export NEKTARU_NO_SKIPS=1
xvfb-run -a -s "-screen 0 1280x800x24" ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
