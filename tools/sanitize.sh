#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs it offscreen; any sanitizer report fails the test that raised it, and so this script.
# Extra arguments go to ctest (for example -R tst_rflink).
set -euo pipefail
cd "$(dirname "$0")/.."
export KRV_BUILD_DIR=build-asan KRV_BUILD_TYPE=Debug
export KRV_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
tools/build.sh
# Leak detection stays off: Qt keeps allocations alive to the process's end by design (plugin
# and font caches, global statics), so every test would report them; what a window leaves
# behind while the program runs is measured by bench/window_cycle_bench instead.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:suppressions=$PWD/tools/asan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j "${KRV_JOBS:-$(nproc)}" "$@"
