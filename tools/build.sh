#!/usr/bin/env bash
# Configures (once) and builds everything into build/ (KRV_BUILD_DIR, KRV_BUILD_TYPE and
# KRV_JOBS override the folder, the build type and the parallel jobs; KRV_CXX_FLAGS adds
# compiler flags, also used when linking, at the folder's first configuration; KRV_TARGETS, a
# list separated by spaces, builds only those targets).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${KRV_BUILD_DIR:-build}
launcher=()
if command -v ccache >/dev/null; then
    # Worktrees of one checkout share the cache: paths are hashed relative to the parent folder.
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")} CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
[ -f "$dir/build.ninja" ] ||
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${KRV_BUILD_TYPE:-Debug}" \
        -DCMAKE_CXX_FLAGS="${KRV_CXX_FLAGS:-}" "${launcher[@]}" >/dev/null
targets=()
for target in ${KRV_TARGETS:-}; do
    targets+=(--target "$target")
done
cmake --build "$dir" -j "${KRV_JOBS:-$(nproc)}" "${targets[@]}"
