#!/usr/bin/env bash
# Installs what Lindwerk needs to build and test on Debian 12.
set -euo pipefail
packages=(cmake g++ make pkg-config clang-format
          qt6-base-dev qt6-qpa-plugins libqt6printsupport6 libjpeg62-turbo
          libgtest-dev zlib1g-dev libicu-dev
          fonts-liberation2 fonts-dejavu-core
          qt6-translations-l10n fonts-liberation fonts-lato
          desktop-file-utils libxml2-utils shared-mime-info groff-base dpkg-dev file
          # The real-window checks (tests/realwindow): an X server of their
          # own, a window manager, the keyboard and mouse, pictures of the
          # screen, the root window's properties and the PDF page count.
          xvfb xauth openbox xdotool imagemagick x11-utils poppler-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The photograph benchmark's yardsticks (lindwerk-bench photos): the JPEG
# library's own decoder and the PDF image lister. Not needed to build or test.
if [ "${1:-}" = "--bench" ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
        libjpeg-turbo-progs poppler-utils
fi
