#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the package into a minimal Debian made with debootstrap, as a user of a fresh system
# would (apt install ./velmora_*.deb, no recommended packages), starts the installed program there
# on an X server with a tray until its icon shows in its colours and a click on it opens the
# panel, then removes the package. The release is the one the package was built for (its version
# ends in ~deb12 or ~deb13) unless one is given. Needs root and the Debian mirror.
#   tests/package/fresh_debian.sh path/to/velmora_VERSION_ARCH.deb [bookworm|trixie]
# With E2E_PICTURES set, pictures of the tray and of the open panel are left there.
set -euo pipefail
deb=$(readlink -f "${1:?usage: fresh_debian.sh path/to/velmora.deb [bookworm|trixie]}")
release=${2:-}
if [ -z "$release" ]; then
    case $(dpkg-deb -f "$deb" Version) in
    *~deb12 | *~deb12~*) release=bookworm ;;
    *~deb13 | *~deb13~*) release=trixie ;;
    *) echo "fresh_debian.sh: the package's version names no release; give one"; exit 2 ;;
    esac
fi
[ "$(id -u)" -eq 0 ] || { echo "fresh_debian.sh must run as root (debootstrap, chroot)"; exit 2; }
for tool in debootstrap:debootstrap Xvfb:xvfb trayer:trayer xdotool:xdotool xwd:x11-apps; do
    command -v "${tool%%:*}" >/dev/null || apt-get install -y -qq --no-install-recommends "${tool#*:}"
done

here=$(dirname "${BASH_SOURCE[0]}")
. "$here/../lib/desktop.sh"
. "$here/../lib/chroot.sh"

start=$SECONDS
check "a minimal Debian $release from the mirror" fresh_root "$release"
echo "# ready after $((SECONDS - start)) s"
cp "$deb" "$target/tmp/"
count_packages() { in_target dpkg-query -W -f='${binary:Package}\n' | wc -l; }
before=$(count_packages)
installed() {
    in_target apt-get install -y --no-install-recommends "/tmp/$(basename "$deb")" >"$work/install.log" 2>&1 ||
        { tail -n 20 "$work/install.log" | sed 's/^/  apt: /'; return 1; }
}
check "apt installs $(basename "$deb") without recommended packages" installed
echo "# apt installed velmora and $(($(count_packages) - before - 1)) packages it depends on"
in_target dpkg-query -W -f='${binary:Package}\n' | grep -x 'qt6-svg-plugins' >/dev/null && echo "# qt6-svg-plugins came along"

# The X server and the tray host run outside; the server's socket is lent to the minimal system.
start_xvfb
start_tray
wait_for 10 xdotool search --class trayer >/dev/null
sleep 2 # the tray takes its selection a moment after its window shows
mkdir -p "$target/tmp/.X11-unix" "$target/tmp/home"
mount --bind /tmp/.X11-unix "$target/tmp/.X11-unix"
chroot "$target" env -i PATH=/usr/bin:/bin HOME=/tmp/home DISPLAY="$DISPLAY" \
    /usr/bin/velmora >"$work/run.log" 2>&1 &
app=$!
track "$app"
log="$target/tmp/home/.local/state/Velmora.log"
show_output() {
    sed 's/^/  log: /' "$log" 2>/dev/null
    sed 's/^/  stderr: /' "$work/run.log"
}
check "the installed program puts its icon into the tray" wait_for 10 logged "Symbol sichtbar: true" || { show_output; exit 1; }
read -r ix iy iw ih < <(frame_of "Symbol sichtbar: true")
# The icon's disc is #2663D9: without its colours the program would have drawn nothing there.
blue_pixels() { screen span "$ix" "$iy" "$iw" "$ih" 2663d9 40 | awk '{print $3 + 0}'; }
icon_blue() { [ "$(blue_pixels)" -ge $((iw * ih / 5)) ]; }
check "the icon is drawn in its colours (${iw}×${ih} at $ix, $iy)" wait_for 5 icon_blue ||
    { echo "  $(blue_pixels) blue pixels"; exit 1; }
picture() { # name, x y w h: a part of the screen as a PNG into $E2E_PICTURES
    [ -n "${E2E_PICTURES:-}" ] || return 0
    mkdir -p "$E2E_PICTURES" && screen save "$E2E_PICTURES/$1.png" "$2" "$3" "$4" "$5"
}
picture "fresh-$release-tray" $((screen_width - 160)) 0 160 $((iy + ih + 8))
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
check "a click on the icon opens the panel" wait_for 5 logged "Fenster sichtbar: true" || { show_output; exit 1; }
sleep 0.5
picture "fresh-$release-panel" 0 0 "$screen_width" "$screen_height"
check "the program is still running" running "$app"
check "Qt did not complain of anything missing" \
    bash -c "! grep -qi 'could not\|cannot load\|failed to load' '$work/run.log'" || show_output
stop "$app"
umount "$target/tmp/.X11-unix"

in_target apt-get remove --purge -y velmora >"$work/remove.log" 2>&1
left() {
    (cd "$target" && ls -d usr/bin/velmora usr/share/applications/velmora.desktop usr/share/doc/velmora \
        usr/share/metainfo/de.velmora.Velmora.metainfo.xml usr/share/icons/hicolor/*/apps/velmora.* 2>/dev/null || true)
}
check "apt removes it and leaves none of its files" test -z "$(left)" || echo "  left behind: $(left)"
echo "fresh Debian $release: $passed passed, $failed failed, $((SECONDS - start)) s in all"
[ "$failed" -eq 0 ]
