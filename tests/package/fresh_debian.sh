#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the package into a minimal Debian 12 made with debootstrap, as a user of a fresh
# system would (apt install ./velmora_*.deb, no recommended packages), starts the installed
# program there on an X server until it has opened its panel, then removes the package.
# Needs root and the Debian mirror; takes a few minutes, so the test command leaves it out.
#   tests/package/fresh_debian.sh path/to/velmora_VERSION_ARCH.deb
set -euo pipefail
deb=$(readlink -f "${1:?usage: fresh_debian.sh path/to/velmora.deb}")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "fresh_debian.sh must run as root (debootstrap, chroot)"; exit 2; }
for tool in debootstrap:debootstrap Xvfb:xvfb; do
    command -v "${tool%%:*}" >/dev/null || apt-get install -y -qq --no-install-recommends "${tool#*:}"
done

. "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"
target=$(mktemp -d /var/tmp/velmora-fresh.XXXXXX)
# After the X server has stopped: nothing in the minimal system holds these any more.
at_exit 'for m in tmp/.X11-unix proc; do mountpoint -q "$target/$m" && umount "$target/$m"; done'
at_exit 'rm -rf --one-file-system "$target"'

start=$SECONDS
debootstrap --variant=minbase bookworm "$target" "$mirror" >"$target.debootstrap.log" 2>&1 ||
    { tail -20 "$target.debootstrap.log"; exit 1; }
rm -f "$target.debootstrap.log"
echo "minimal Debian 12 ready after $((SECONDS - start)) s"
mount -t proc proc "$target/proc"
cp "$deb" "$target/tmp/"
in_target() { chroot "$target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

before=$(in_target dpkg-query -W -f='${binary:Package}\n' | wc -l)
in_target apt-get install -y --no-install-recommends "/tmp/$(basename "$deb")" >"$target/tmp/install.log" 2>&1 ||
    { tail -20 "$target/tmp/install.log"; exit 1; }
after=$(in_target dpkg-query -W -f='${binary:Package}\n' | wc -l)
echo "apt installed velmora and $((after - before - 1)) packages it depends on"

# The X server runs outside; its socket is lent to the minimal system.
start_xvfb
mkdir -p "$target/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$target/tmp/.X11-unix"
mkdir -p "$target/tmp/home"
set +e
timeout 10 chroot "$target" env -i PATH=/usr/bin:/bin HOME=/tmp/home DISPLAY="$DISPLAY" \
    /usr/bin/velmora >"$target/tmp/run.log" 2>&1
status=$?
set -e
log="$target/tmp/home/.local/state/Velmora.log"
sed 's/^/  log: /' "$log" 2>/dev/null
sed 's/^/  stderr: /' "$target/tmp/run.log"
[ "$status" -eq 124 ] || { echo "velmora ended by itself with $status"; cat "$target/tmp/run.log"; exit 1; }
grep -q "Fenster sichtbar: true" "$log" || { echo "the installed program did not open its panel"; exit 1; }
grep -qi "could not\|cannot load\|failed to load" "$target/tmp/run.log" &&
    { echo "Qt complained:"; cat "$target/tmp/run.log"; exit 1; }
echo "the installed program started and opened its panel"

in_target apt-get remove --purge -y velmora >"$target/tmp/remove.log" 2>&1
left=$(cd "$target" && ls -d usr/bin/velmora usr/share/applications/velmora.desktop usr/share/doc/velmora \
    usr/share/metainfo/de.velmora.Velmora.metainfo.xml usr/share/icons/hicolor/*/apps/velmora.* 2>/dev/null || true)
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
echo "apt removed it and left none of its files; $((SECONDS - start)) s in all"
