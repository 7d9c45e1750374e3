#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages the build, the tests and the program need, when any is missing.
set -euo pipefail

# Build and run: compiler, Qt, Qt Charts and Qt SVG for the Inspect window's plots (Qt Charts'
# CMake files need the OpenGL development files, which its package does not pull in), and the
# fonts the window is laid out for. Tests: the validators of the desktop files, dpkg-dev and file
# for the package's dependencies, clang with its fuzzing runtime for the fuzz smoke runs, and a
# virtual X server with Qt's X11 platform plugin for the tests that must see keys as a real X
# server delivers them. Python: the headers, pybind11, NumPy and pytest for the Python module,
# all for Debian's /usr/bin/python3.
packages=(cmake g++ make qt6-base-dev libgl-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
    fonts-liberation2 fonts-dejavu-core
    desktop-file-utils appstream dpkg-dev file clang libclang-rt-14-dev
    xvfb xauth qt6-qpa-plugins libxcb-cursor0 libxkbcommon-x11-0
    python3-dev pybind11-dev python3-numpy python3-pytest "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
