#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package cpack built: its files, its control fields, the launcher, icons and
# AppStream data it carries. As root (or with sudo) it then installs the package with apt, runs
# the installed program through the end-to-end test and removes the package again.
#   tests/package/check.sh path/to/velmora_VERSION_ARCH.deb
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
deb=$(readlink -f "${1:?usage: check.sh path/to/velmora.deb}")
. "$here/../lib/desktop.sh"
same_lines() { # expected file, actual file
    diff -u "$1" "$2" >"$work/diff" && return 0
    sed 's/^/  /' "$work/diff"
    return 1
}
png_is_square() { # file, size: width and height from the PNG header
    [ "$(od -An -j16 -N8 -tx1 "$1" | tr -d ' \n')" = "$(printf '%08x%08x' "$2" "$2")" ]
}

# --- what is inside
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$work/files"
check "the package holds exactly the expected files" same_lines <(sort "$here/files.txt") "$work/files"
# The package is for the release it was built on, whose library names its Depends carry
# (Debian 13 renamed some, libqt6core6t64): its version says which.
version=$(dpkg-deb -f "$deb" Version)
release=$("$here/../../scripts/debian-release") || exit 1
release_number=$("$here/../../scripts/debian-release" --number)
check "the version $version names this machine's release, Debian $release_number" \
    grep -qE "~deb${release_number}(~test)?\$" <<<"$version"
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/^ *//; s/ .*//' | sort >"$work/depends"
check "Depends names exactly the libraries the program links, by $release's names" \
    same_lines <(sort "$here/depends.$release.txt") "$work/depends"
check "every Qt dependency carries a minimum version" \
    bash -c "! dpkg-deb -f '$deb' Depends | tr ',' '\n' | grep 'libqt6' | grep -vq '(>= 6\.'"
for field in Package:velmora Section:utils Architecture:"$(dpkg --print-architecture)"; do
    check "control field ${field%%:*} is ${field#*:}" test "$(dpkg-deb -f "$deb" "${field%%:*}")" = "${field#*:}"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
metainfo="$root/usr/share/metainfo/de.velmora.Velmora.metainfo.xml"
upstream=${version%%~*}
check "the AppStream release entry is the package's version ($upstream)" grep -q "<release version=\"$upstream\"" "$metainfo"
check "the changelog's newest entry is that version" bash -c \
    "zcat '$root/usr/share/doc/velmora/changelog.gz' | head -n1 | grep -qF 'velmora ($upstream)'"
check "the copyright file is machine-readable and says GPL-3.0-or-later" bash -c \
    "head -n1 '$root/usr/share/doc/velmora/copyright' | grep -qF 'copyright-format/1.0' &&
     grep -qx 'License: GPL-3.0-or-later' '$root/usr/share/doc/velmora/copyright'"
check "the manual page renders without complaint" bash -c \
    "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '$root/usr/share/man/man1/velmora.1.gz' 2>&1 >/dev/null | (! grep -q .)"
check "the Maintainer has an address" bash -c "dpkg-deb -f '$deb' Maintainer | grep -qE '<[^@ ]+@[^@ ]+>'"
# A package of a build whose feeds are not the real ones says so in its version and description.
if [ "$version" != "$upstream~deb$release_number" ]; then
    check "a test build's package says so: version $version" test "${version##*~}" = test
    check "a test build's package says so in its description" bash -c \
        "dpkg-deb -f '$deb' Description | head -n1 | grep -qF 'TEST BUILD'"
fi
check "the AppStream file lists the four theme pictures" \
    test "$(grep -cE '<image>.*/docs/panel-(navy|graphite|lightblue|white)\.png</image>' "$metainfo")" -eq 4
check "the launcher passes desktop-file-validate" desktop-file-validate "$root/usr/share/applications/velmora.desktop"
check "launcher, icons and AppStream file pass appstreamcli validate-tree" \
    appstreamcli validate-tree --no-net "$root"
for dir in "$root"/usr/share/icons/hicolor/*x*/apps; do
    size=$(basename "$(dirname "$dir")")
    check "the ${size} icon is ${size} pixels" png_is_square "$dir/velmora.png" "${size%x*}"
done
check "the program carries no path into the build tree" \
    bash -c "! readelf -d '$root/usr/bin/velmora' | grep -qE 'RPATH|RUNPATH'"
check "the program is stripped" bash -c "! readelf -S '$root/usr/bin/velmora' | grep -q '\.debug_info'"

# --- installed for real
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if sudo -n true 2>/dev/null; then as_root=(sudo -n); else as_root=(none); fi
fi
if [ "${as_root[*]}" = none ]; then
    echo "skip - installing the package needs root or sudo"
elif dpkg-query -W -f='${Status}' velmora 2>/dev/null | grep -q 'install ok installed'; then
    echo "skip - a velmora package is already installed on this machine; leaving it alone"
else
    # apt's own output is kept for a failure; the check's line itself must reach the terminal.
    apt_get() {
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@" >"$work/apt.log" 2>&1 && return 0
        sed 's/^/  /' "$work/apt.log"
        return 1
    }
    check "apt installs the package" apt_get install -y --no-install-recommends "$deb"
    check "the launcher's command is the installed program" test "$(command -v \
        "$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' /usr/share/applications/velmora.desktop)")" = /usr/bin/velmora
    check "the installed program passes the end-to-end test" "$here/../e2e/run.sh" /usr/bin/velmora
    check "apt removes the package" apt_get remove --purge -y velmora
    check "nothing of the package is left" bash -c \
        "! dpkg-query -W -f='\${Status}' velmora 2>/dev/null | grep -q installed && \
         ! sed 's/^\.//' '$here/files.txt' | xargs ls -d 2>/dev/null | grep -q . && \
         test ! -e /usr/share/doc/velmora"
fi

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
