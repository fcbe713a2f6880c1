#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Vantrelpad.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev valgrind clang-format python3
          clang libclang-rt-14-dev
          g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth scite)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if [ "${#missing[@]}" -gt 0 ] || [ -n "${updated+x}" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    [ "${#missing[@]}" -gt 0 ] && apt-get install -y -qq "${missing[@]}"
fi
exit 0
