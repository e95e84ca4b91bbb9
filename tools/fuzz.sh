#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (AddressSanitizer and
# UBSan on) and runs each in turn for SECONDS (default 30), starting from its
# seed files in fuzz/corpus/. New inputs collect in build-fuzz/corpus/, not in
# the repository. A crash or a broken assertion stops with the reproducer
# printed (hex) and kept in build-fuzz/artifacts/; the exit code is then 1.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-fuzz"
seconds=${1:-30}
shift || true

# clang with its runtime libraries (libFuzzer, the sanitizers); only the
# fuzz targets need them, so they are installed here and not by install-deps.sh.
missing=()
for p in clang libclang-rt-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DLINDWERK_FUZZ=ON -DBUILD_TESTING=OFF -DLINDWERK_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(sed -n 's/^lindwerk_fuzz_target(\([a-z0-9_]*\)).*/\1/p' "$top/fuzz/CMakeLists.txt")
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
    work="$build/corpus/$t"
    artifacts="$build/artifacts/$t/"
    mkdir -p "$work" "$artifacts"
    echo "== fuzz_$t: $seconds s"
    if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 \
            -timeout=25 -print_final_stats=1 -artifact_prefix="$artifacts" \
            "$work" "$top/fuzz/corpus/$t" 2>"$build/fuzz_$t.log"; then
        tail -n 60 "$build/fuzz_$t.log"
        for f in "$artifacts"*; do
            [ -f "$f" ] || continue
            echo "-- reproducer $f:"
            od -A x -t x1z -v "$f" | head -n 64
        done
        status=1
    else
        grep -E "^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)" "$build/fuzz_$t.log" || true
    fi
done
exit $status
