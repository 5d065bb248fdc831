#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build (with benchmark
# smoke runs), the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, the tests with
# worker threads under ThreadSanitizer, and short fuzzing runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
# Let ccache reuse objects compiled in another checkout of the tree (CI clones afresh).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== install into a temporary prefix and run from there"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build --prefix "$prefix"
test -f "$prefix/share/applications/veltro.desktop" -a -f "$prefix/share/icons/hicolor/scalable/apps/veltro.svg"
QT_QPA_PLATFORM=offscreen "$prefix/bin/veltro" --version
"$prefix/bin/veltro-cli" --version
"$prefix/bin/veltro-sim" --output "$prefix/check.kvb" --flood --epochs 3
test "$("$prefix/bin/veltro-cli" dump "$prefix/check.kvb" | wc -l)" -eq 4

echo "== build and test with sanitizers"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTRO_SANITIZE=ON -DVELTRO_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== build and test the threaded parts with ThreadSanitizer"
tsan_tests=(test_platform_messages test_host_port test_stream_log test_host_app test_host_services test_cli test_cli_services test_cli_exports)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRO_TSAN=ON -DVELTRO_BENCH=OFF
cmake --build build-tsan -j "$jobs" --target "${tsan_tests[@]}"
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan.supp" \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R "^($(IFS='|'; echo "${tsan_tests[*]}"))\$"

if command -v clang++ >/dev/null; then
  echo "== fuzz smoke runs"
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRO_FUZZ=ON \
    -DVELTRO_BENCH=OFF -DVELTRO_TESTS=OFF
  cmake --build build-fuzz -j "$jobs" --target veltro_fuzzers
  ctest --test-dir build-fuzz --output-on-failure -L fuzz
fi
