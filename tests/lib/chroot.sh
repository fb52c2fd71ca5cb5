# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced after desktop.sh by the scripts that put Velmora into a fresh Debian made with
# debootstrap from the mirror: fresh_root makes one in $target, in_target and offline_in_target
# run commands there. When the script exits, after its processes have stopped, everything mounted
# under $target is unmounted and the whole system removed. Needs root.

mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
target=""
root_path=PATH=/usr/sbin:/usr/bin:/sbin:/bin

unmount_target() { # every mount under $target, the deepest first
    [ -n "$target" ] || return 0
    awk -v under="$target/" 'index($5, under) == 1 {print $5}' /proc/self/mountinfo | sort -r |
        while read -r point; do umount "$point" 2>/dev/null || umount -l "$point"; done
}

fresh_root() { # release: a minimal Debian of that release in $target, with /proc and /dev/shm
    target=$(mktemp -d "/var/tmp/velmora-$1.XXXXXX")
    at_exit unmount_target
    at_exit 'rm -rf --one-file-system "$target"'
    if ! debootstrap --variant=minbase "$1" "$target" "$mirror" >"$work/debootstrap.log" 2>&1; then
        tail -n 20 "$work/debootstrap.log" | sed 's/^/  debootstrap: /'
        return 1
    fi
    mount -t proc proc "$target/proc" && mount -t tmpfs -o mode=1777 shm "$target/dev/shm"
}

in_target() { # command...: run in $target as root, with nothing of this shell's environment
    chroot "$target" env -i "$root_path" HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}

# The tests inside start X servers, buses and local servers of their own. A network namespace
# with only its loopback keeps them apart from the machine's: X picks its display by lock files
# in /tmp, which the two systems do not share, while the abstract sockets would be shared.
offline_in_target() { # command...: as in_target, without the network
    unshare --net -- bash -c 'ip link set lo up && exec "$@"' offline chroot "$target" \
        env -i "$root_path" HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}
