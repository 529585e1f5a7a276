#!/usr/bin/env bash
# Builds everything and runs the tests.
#   ./test.sh              install what is missing, build (build/), run all tests
#   ./test.sh --sanitize   the same in build-sanitize/ with ASan and UBSan
#   ./test.sh --bench      also run the benchmarks afterwards
set -euo pipefail
cd "$(dirname "$0")"

build_dir=build
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
run_bench=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) build_dir=build-sanitize; cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DSKM_SANITIZE=ON -DSKM_BUILD_BENCH=OFF) ;;
    --bench) run_bench=1 ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

tools/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"
cmake --build "$build_dir" --parallel
ctest --test-dir "$build_dir" --output-on-failure --parallel 2

if [ "$run_bench" -eq 1 ]; then
  for b in "$build_dir"/bench/bench_*; do
    [ -x "$b" ] && QT_QPA_PLATFORM=offscreen "$b"
  done
fi
