#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and checks what a desktop needs from it: the program,
# a valid .desktop file, its icon and valid AppStream metadata that agree with one another; and
# the command-line program and both manual pages.
# Usage: check-install.sh CMAKE BUILD_DIR VERSION APP_ID
set -uo pipefail

if [ $# -ne 4 ]; then
    echo "usage: $0 CMAKE BUILD_DIR VERSION APP_ID" >&2
    exit 2
fi
cmake=$1 build=$2 version=$3 id=$4

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The validators come from Debian packages; without them nothing would be checked.
for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream timeout:coreutils; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "FAIL: ${tool%%:*} not found; install the Debian package ${tool#*:}" >&2
        exit 1
    fi
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/tessaro-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

if ! "$cmake" --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1; then
    cat "$prefix/install.log" >&2
    echo "FAIL: cmake --install $build did not succeed (is the tessaro target built?)" >&2
    exit 1
fi

binary=$prefix/bin/tessaro
batch=$prefix/bin/tessaro-batch
desktop=$prefix/share/applications/$id.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/$id.svg
metainfo=$prefix/share/metainfo/$id.metainfo.xml
copyright=$prefix/share/doc/tessaro/copyright

[ -x "$binary" ] || fail "no executable bin/tessaro"
[ -x "$batch" ] || fail "no executable bin/tessaro-batch"
for page in tessaro tessaro-batch; do
    [ -s "$prefix/share/man/man1/$page.1.gz" ] || fail "missing or empty share/man/man1/$page.1.gz"
done
# The library for other programs: the versioned shared object, its header, the CMake package and
# the pkg-config file.
for file in lib/libtessaro.so.1 include/tessaro/tessaro.h lib/cmake/Tessaro/TessaroConfig.cmake \
    lib/pkgconfig/tessaro.pc; do
    [ -s "$prefix/$file" ] || fail "missing or empty $file"
done
soname=$(objdump -p "$prefix/lib/libtessaro.so.1" 2>/dev/null | sed -n 's/^ *SONAME *//p')
[ "$soname" = libtessaro.so.1 ] || fail "libtessaro's SONAME is '$soname', not libtessaro.so.1"
for file in "$desktop" "$icon" "$metainfo" "$copyright"; do
    [ -s "$file" ] || fail "missing or empty ${file#"$prefix"/}"
done
[ "$failures" -eq 0 ] || exit 1

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects ${desktop#"$prefix"/}"
appstreamcli validate --no-net "$metainfo" >"$prefix/validate.log" 2>&1 ||
    { cat "$prefix/validate.log" >&2; fail "appstreamcli validate rejects ${metainfo#"$prefix"/}"; }
# The tree check also finds the .desktop file that the metainfo launchable names.
appstreamcli validate-tree --no-net "$prefix" >"$prefix/validate.log" 2>&1 ||
    { cat "$prefix/validate.log" >&2; fail "appstreamcli validate-tree rejects the installed tree"; }

# The pieces must name one another: the launcher starts the installed program and shows the
# installed icon, and the metadata points at this launcher and binary.
entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
exec_line=$(entry Exec)
[ "${exec_line%% *}" = tessaro ] || fail "Exec= is '$exec_line', not the installed tessaro"
[ "$(entry Icon)" = "$id" ] || fail "Icon= is '$(entry Icon)', not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo launchable does not name $id.desktop"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<binary>tessaro</binary>" "$metainfo" || fail "metainfo does not provide the tessaro binary"
grep -q "<svg" "$icon" || fail "icon is not an SVG image"

# The newest release listed must be the project's version.
newest=$(grep -o '<release [^>]*version="[^"]*"' "$metainfo" | head -n 1 | sed 's/.*version="//; s/"$//')
[ "$newest" = "$version" ] ||
    fail "newest release in the metainfo is '$newest', the project is at $version"

# The installed program, away from the build tree, must start and keep running.
mkdir -p "$prefix/run"
(cd "$prefix/run" && QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} timeout 3 "$binary") \
    >"$prefix/run.log" 2>&1
status=$?
if [ "$status" -ne 124 ]; then
    cat "$prefix/run.log" >&2
    fail "installed bin/tessaro exited with status $status instead of running until stopped"
fi

# The command-line program needs no display at all.
batch_version=$(cd "$prefix/run" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    timeout 10 "$batch" --version 2>"$prefix/batch.log")
status=$?
if [ "$status" -ne 0 ] || [ "$batch_version" != "tessaro-batch $version" ]; then
    cat "$prefix/batch.log" >&2
    fail "installed bin/tessaro-batch --version gave status $status and '$batch_version'"
fi

# And redistributes a small section there.
printf 'Diamond\r\n 5 \r\n 1 1 0\r\n 2 0.5 0.1\r\n 3 0 0\r\n 4 0.5 -0.1\r\n 5 1 0\r\n' \
    >"$prefix/run/diamond.arf"
if ! (cd "$prefix/run" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    timeout 10 "$batch" -q -n 11 diamond.arf) >"$prefix/batch.log" 2>&1 ||
    ! head -n 1 "$prefix/run/diamond-redistributed.arf" | grep -q '^Diamond - redistributed'; then
    cat "$prefix/batch.log" >&2
    fail "installed bin/tessaro-batch did not redistribute a five-point section"
fi

# Each page is a valid gzip stream whose header names its program and the project's version.
for page in tessaro tessaro-batch; do
    archive=$prefix/share/man/man1/$page.1.gz
    header=$(gzip -dc "$archive" 2>/dev/null | grep -m 1 '^\.TH ')
    upper=$(printf '%s' "$page" | tr '[:lower:]' '[:upper:]')
    case $header in
    ".TH $upper 1 "*"\"Tessaro $version\""*) ;;
    *) fail "share/man/man1/$page.1.gz: header '$header' does not name $upper 1 and Tessaro $version" ;;
    esac
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install check passed: programs, launcher, icon, metainfo and manual pages installed and valid"
