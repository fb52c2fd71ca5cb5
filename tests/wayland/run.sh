#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Velmora in a Wayland session: sway without a screen (headless backend, pixman), with XWayland
# and swaybar as the StatusNotifierItem host, on a session bus of its own. The program runs on
# xcb through XWayland, as it chooses by itself. The headless backend has no pointer, so the
# clicks on the tray item are made as the bar makes them: Activate(x, y) over D-Bus.
# Then a session without a bar, where the panel opens by itself in the middle.
# Sway refuses to run as root: as root, compositor, bar and program run as "nobody".
#   tests/wayland/run.sh path/to/velmora
set -uo pipefail
source_velmora=$(readlink -f "${1:?usage: run.sh path/to/velmora}")
. "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# Everything the unprivileged user touches lives in a folder it owns; the program is copied
# there, since a build tree under /root is closed to it.
chmod 755 "$work"
wl="$work/wayland"
mkdir -p "$wl"
velmora="$wl/velmora"
install -m 755 "$source_velmora" "$velmora"
user_chown() { [ ${#as_user[@]} -eq 0 ] || chown -R nobody:nogroup "$@"; }
as_user() { "${as_user[@]}" "$@"; }

bus=""
start_user_bus() {
    rm -rf "$wl/bus" && mkdir -p "$wl/bus" && user_chown "$wl/bus"
    as_user dbus-daemon --session --nofork --nopidfile --address="unix:dir=$wl/bus" \
        --print-address=3 3>"$wl/bus-address" >"$wl/dbus.log" 2>&1 &
    track $!
    wait_for 10 test -s "$wl/bus-address" || { echo "the session bus did not start"; return 1; }
    bus=$(head -n1 "$wl/bus-address")
}
on_bus() { as_user env DBUS_SESSION_BUS_ADDRESS="$bus" "$@"; }
# dbus-send's literal reply, as the user.
bus_say() { on_bus dbus-send --session --print-reply=literal --reply-timeout=3000 "$@" 2>/dev/null; }
owned() { bus_say --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q true; }

sway_pid=""
start_sway() { # config text: sway on the user bus, headless, with XWayland; sets swaysock and display
    rm -rf "$wl/run" "$wl/home" && mkdir -p "$wl/run" "$wl/home"
    chmod 700 "$wl/run"
    printf '%s\n' "$1" >"$wl/sway.config"
    user_chown "$wl/run" "$wl/home" "$wl/sway.config"
    as_user env -i PATH=/usr/bin:/bin HOME="$wl/home" XDG_RUNTIME_DIR="$wl/run" \
        DBUS_SESSION_BUS_ADDRESS="$bus" WLR_BACKENDS=headless WLR_RENDERER=pixman \
        WLR_LIBINPUT_NO_DEVICES=1 sway -c "$wl/sway.config" >"$wl/sway.log" 2>&1 &
    sway_pid=$!
    track "$sway_pid"
    wait_for 10 bash -c "ls '$wl'/run/sway-ipc.*.sock >/dev/null 2>&1" || { echo "sway did not start:"; tail "$wl/sway.log"; return 1; }
    swaysock=$(ls "$wl"/run/sway-ipc.*.sock)
    # sway hands its own environment to what it starts: that is where XWayland's display is.
    swaymsg exec "echo \$DISPLAY > $wl/run/display" >/dev/null
    wait_for 5 test -s "$wl/run/display" || { echo "sway did not tell its X display"; return 1; }
    display=$(cat "$wl/run/display")
}
swaymsg() { as_user env XDG_RUNTIME_DIR="$wl/run" swaymsg -s "$swaysock" "$@"; }
screenshot() { # file.ppm
    as_user env XDG_RUNTIME_DIR="$wl/run" WAYLAND_DISPLAY=wayland-1 grim -t ppm "$wl/run/shot.ppm" &&
        cp "$wl/run/shot.ppm" "$1"
}

start_program() { # in the background, as the user; its pid in $app, its log in $log
    rm -rf "$wl/vhome" && mkdir -p "$wl/vhome/config/Velmora" "$wl/vhome/state"
    settings_with_rates "EUR, THB" >"$wl/vhome/config/Velmora/Velmora.conf"
    user_chown "$wl/vhome"
    log="$wl/vhome/state/Velmora.log"
    as_user env -i PATH=/usr/bin:/bin HOME="$wl/vhome" XDG_CONFIG_HOME="$wl/vhome/config" \
        XDG_STATE_HOME="$wl/vhome/state" XDG_RUNTIME_DIR="$wl/run" WAYLAND_DISPLAY=wayland-1 \
        DISPLAY="$display" DBUS_SESSION_BUS_ADDRESS="$bus" "$velmora" >"$wl/velmora.log" 2>&1 &
    app=$!
    track "$app"
}
logged() { grep -qF -- "$1" "$log" 2>/dev/null; }
# Where sway put the panel: "x y w h" of its X11 window in sway's tree.
panel_rect() {
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("name") == "Velmora" and node.get("pid"):
        r = node["rect"]
        print(r["x"], r["y"], r["width"], r["height"])
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))
sys.exit(1)'
}
panel_in_tree() { panel_rect >/dev/null; }
bar_height() {
    swaymsg -t get_workspaces | /usr/bin/python3 -c 'import json, sys; print(json.load(sys.stdin)[0]["rect"]["y"])'
}

# === 1: a bar with a tray
start_user_bus || exit 1
start_sway $'output HEADLESS-1 resolution 1280x800\nxwayland enable\nbar {\n    position top\n    tray_output *\n}' || exit 1
check "swaybar is the StatusNotifierItem host" wait_for 10 owned org.kde.StatusNotifierWatcher
start_program
check "the program registers its item with swaybar" wait_for 10 logged "Symbol sichtbar: true"
item=$(bus_say --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.ListNames |
    grep -o "org.kde.StatusNotifierItem-[0-9]*-1" | head -n1)
item_listed() {
    bus_say --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems | grep -qF "$item"
}
check "the watcher lists the item" item_listed
sleep 1
check "with the item shown, no panel opens by itself" bash -c "! grep -qF 'Fenster' '$log'"
screenshot "$work/bar.ppm"
bar=$(bar_height)
read -r first last count < <(/usr/bin/python3 "$desktop_lib/screen.py" --ppm "$work/bar.ppm" span 1180 0 100 "$bar" 2f6fd8 90)
check "swaybar draws the item at the right end of the bar" test "${first:-none}" != none -a "${count:-0}" -gt 10
point_x=$(((first + last) / 2))
point_y=$((bar / 2))
bus_say --dest="$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate "int32:$point_x" "int32:$point_y" >/dev/null
check "Activate opens the panel" wait_for 5 logged "Fenster sichtbar: true"
read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
check "the program asks for a frame under the point ($point_x, $point_y): ($px, $py)" \
    test "$py" -eq $((point_y + 1 + 4)) -a "$px" -eq $((1280 - 543 - 6))
check "the panel is on screen" wait_for 3 panel_in_tree
read -r sx sy sw sh < <(panel_rect)
echo "# sway placed the panel at ($sx, $sy, $sw, $sh): it centres X11 tool windows itself"
screenshot "$work/panel.ppm"
check "the screenshot shows the panel where sway put it" color_near \
    "$(/usr/bin/python3 "$desktop_lib/screen.py" --ppm "$work/panel.ppm" pixel $((sx + 8)) $((sy + sh / 2)))" "10 31 61" 8
bus_say --dest="$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate "int32:$point_x" "int32:$point_y" >/dev/null
check "a second Activate hides it" wait_for 5 logged $'Fenster schlie\303\237en: Symbol angeklickt'
stop "$app"
stop "$sway_pid"

# === 2: no bar, so no tray: the panel opens by itself, centred
start_sway $'output HEADLESS-1 resolution 1280x800\nxwayland enable' || exit 1
start_program
check "without a bar the program finds no tray" wait_for 10 logged "Symbol sichtbar: false"
check "and opens its panel in the middle" wait_for 5 logged $'Fenster \303\266ffnen: Symbol nicht sichtbar'
read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
check "the frame is centred, 0.12 of the height below the top" test "$px" -eq $(((1280 - 543) / 2)) -a "$py" -eq 96
check "the centred panel is on screen" wait_for 3 panel_in_tree
stop "$app"
stop "$sway_pid"

if [ "$failed" -ne 0 ]; then
    for f in "$wl"/sway.log "$wl"/velmora.log; do echo "--- $f"; tail -n 20 "$f"; done
fi
echo "wayland: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
