#!/usr/bin/env bash
# Installs the build dependencies, builds Lindwerk and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target lindwerk lindwerk-cli
exec "$top/build/lindwerk" "$@"
