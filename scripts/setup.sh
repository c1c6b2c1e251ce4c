#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian machine.
# Safe to run again: it installs only what is missing. Where this machine's
# kernel runs 32-bit programs, Wine runs here; otherwise the tests run Wine in
# a test machine under full-system emulation, whose image is built here once
# (not with --packages, which installs the packages only).
#   scripts/setup.sh [--packages]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

install_packages g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686 \
  cmake ninja-build g++ googletest libgtest-dev nlohmann-json3-dev \
  ghostscript imagemagick clang-format jq libbenchmark-dev time \
  libqpdf-dev qpdf poppler-utils zlib1g-dev fonts-urw-base35 libzint-dev zbar-tools \
  clang libclang-rt-14-dev fp-utils icoutils libcsv-dev man-db python3-openpyxl \
  mupdf-tools dmtx-utils

if can_run_i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    as_root apt-get update -q
  fi
  install_packages wine wine32:i386 xvfb xauth x11-apps
else
  install_packages debootstrap qemu-system-x86 e2fsprogs
  if [ "${1:-}" != "--packages" ]; then
    bash "$NEB_ROOT/scripts/vm/build-image.sh"
  fi
fi
echo "setup: ready"
