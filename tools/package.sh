#!/usr/bin/env bash
# Builds the Debian package of Lindwerk (both programs, desktop entry, icon,
# file type and manual pages) with CPack into build-package/.
#   tools/package.sh   ->  build-package/lindwerk_<version>_<arch>.deb
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-package"
"$top/tools/install-deps.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DLINDWERK_BENCH=OFF -DLINDWERK_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target lindwerk lindwerk-cli
rm -f "$build"/lindwerk_*.deb
(cd "$build" && cpack -G DEB -B "$build" >/dev/null)
ls "$build"/lindwerk_*.deb
