#!/usr/bin/env bash
# Installs the build dependencies, builds everything with AddressSanitizer and
# UBSan and runs all tests through CTest on Qt's offscreen platform; then the
# same tests once more in a Release build, the one users get (a test that the
# sanitizers have to skip runs there).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-test"
"$top/tools/install-deps.sh"
# Every C++ file is in the shape .clang-format gives it.
bash "$top/tools/check-format.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DLINDWERK_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# The leak checker of this compiler misreads glibc's dynamic thread-local
# storage and crashes at exit once a loaded plugin has used it; it keeps
# checking every other root without that interception.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 300 | tee "$build/ctest.log")

release="$top/build-release"
cmake -S "$top" -B "$release" -DCMAKE_BUILD_TYPE=Release -DLINDWERK_BENCH=OFF >/dev/null
cmake --build "$release" -j"$(nproc)"
(cd "$release" && ctest --output-on-failure -j"$(nproc)" --timeout 300 | tee "$release/ctest.log")
