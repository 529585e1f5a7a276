#!/usr/bin/env bash
# Builds everything and runs the tests.
#   ./test.sh              install what is missing, build (build/), run all tests
#   ./test.sh --sanitize   the same in build-sanitize/ with ASan and UBSan (leaks included)
#   ./test.sh --bench      also run the benchmarks afterwards
#   ./test.sh --fuzz       build the fuzz targets with clang in build-fuzz/ and run
#                          each for SKM_FUZZ_SECONDS seconds (default 30)
# SKM_BUILD_DIR overrides the build folder.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

mode=test
build_dir=build
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
run_bench=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) mode=sanitize; build_dir=build-sanitize
                cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DSKM_SANITIZE=ON -DSKM_BUILD_BENCH=OFF) ;;
    --fuzz) mode=fuzz; build_dir=build-fuzz
            cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKM_FUZZ=ON -DSKM_SANITIZE=ON -DSKM_BUILD_TESTS=OFF
                        -DSKM_BUILD_BENCH=OFF -DSKM_BUILD_TOOLS=OFF
                        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
    --bench) run_bench=1 ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done
build_dir=${SKM_BUILD_DIR:-$build_dir}

tools/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"

# Sanitizer reports end the run; Qt's own one-time allocations are not leaks of ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}

if [ "$mode" = fuzz ]; then
  cmake --build "$build_dir" --parallel --target fuzz_all fuzz_makecorpus
  seconds=${SKM_FUZZ_SECONDS:-30}
  passed=0 failed=0
  for target in fuzz_rom fuzz_rawsprites fuzz_factorydata fuzz_picture fuzz_palettefile fuzz_smd fuzz_recovery; do
    # Work on a copy, so the seed corpus in the tree stays as committed.
    corpus="$build_dir/corpus/$target" findings="$build_dir/findings"
    mkdir -p "$corpus" "$findings"
    cp -n tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
    echo "== $target: $seconds s"
    if "$build_dir/tests/fuzz/$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
         -max_len=300000 -print_final_stats=1 -artifact_prefix="$findings/$target-" "$corpus" \
         >"$build_dir/$target.log" 2>&1; then
      passed=$((passed + 1))
      grep -E '^stat::number_of_executed_units' "$build_dir/$target.log" || true
    else
      failed=$((failed + 1))
      tail -n 40 "$build_dir/$target.log"
      echo "$target FAILED; reproducer in $findings/"
    fi
  done
  echo "fuzz: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
fi

cmake --build "$build_dir" --parallel
ctest --test-dir "$build_dir" --output-on-failure --parallel 2

if [ "$run_bench" -eq 1 ]; then
  found=0
  for b in "$build_dir"/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    found=1
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=offscreen "$b"
  done
  [ "$found" -eq 1 ] || echo "no benchmarks were built (Google Benchmark missing?)"
fi
