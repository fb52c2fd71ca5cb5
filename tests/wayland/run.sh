#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Velmora in a Wayland session: sway without a screen (headless backend, pixman), with XWayland
# and swaybar as the StatusNotifierItem host, on a session bus of its own. The program runs on
# xcb through XWayland, as it chooses by itself, and shows its panel past the window manager, so
# that sway puts it where the program asks. The headless backend has no pointer, so the clicks
# on the tray item are made as the bar makes them: Activate(x, y) over D-Bus; keys come from a
# virtual keyboard (wtype), the drag from XWayland's XTEST. All of it with the bar at the top and
# at the bottom; then a session without a bar, where the panel opens by itself in the middle.
# Sway refuses to run as root: as root, compositor, bar and program run as "nobody".
#   tests/wayland/run.sh path/to/velmora
set -uo pipefail
source_velmora=$(readlink -f "${1:?usage: run.sh path/to/velmora}")
. "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"

run_unprivileged
# Everything the unprivileged user touches lives in a folder it owns; the program is copied
# there, since a build tree under /root is closed to it.
wl="$work/wayland"
mkdir -p "$wl"
velmora="$wl/velmora"
install -m 755 "$source_velmora" "$velmora"

sway_pid=""
start_sway() { # config text: sway on the user bus, headless, with XWayland; sets swaysock and display
    rm -rf "$wl/run" "$wl/home" && mkdir -p "$wl/run" "$wl/home"
    chmod 700 "$wl/run"
    printf '%s\n' "$1" >"$wl/sway.config"
    user_chown "$wl/run" "$wl/home" "$wl/sway.config"
    as_user env -i PATH=/usr/bin:/bin HOME="$wl/home" XDG_RUNTIME_DIR="$wl/run" \
        DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" WLR_BACKENDS=headless WLR_RENDERER=pixman \
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
    # Only the euro on, so that what is typed is an amount in euros.
    settings_with_rates EUR >"$wl/vhome/config/Velmora/Velmora.conf"
    user_chown "$wl/vhome"
    log="$wl/vhome/state/Velmora.log"
    as_user env -i PATH=/usr/bin:/bin HOME="$wl/vhome" XDG_CONFIG_HOME="$wl/vhome/config" \
        XDG_STATE_HOME="$wl/vhome/state" XDG_RUNTIME_DIR="$wl/run" WAYLAND_DISPLAY=wayland-1 \
        DISPLAY="$display" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" "$velmora" >"$wl/velmora.log" 2>&1 &
    app=$!
    track "$app"
}
# The X11 tools speak to XWayland as the user it runs as. Under these names the helpers of
# desktop.sh (panel_window, window_geometry, viewable) reach it too.
xwininfo() { as_user env DISPLAY="$display" xwininfo "$@"; }
xdotool() { as_user env DISPLAY="$display" xdotool "$@"; }
xprop() { as_user env DISPLAY="$display" xprop "$@"; }
# wtype makes a virtual keyboard of its own on every run, and keys that follow its keymap at once
# get lost on their way through XWayland (the first one or two, seen here): it waits a moment.
type_keys() { as_user env XDG_RUNTIME_DIR="$wl/run" WAYLAND_DISPLAY=wayland-1 wtype -s 200 "$@"; }

# How many windows of the program sway manages; nothing when sway does not answer.
sway_views() {
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    own = 1 if node.get("name") == "Velmora" and node.get("pid") else 0
    return own + sum(walk(c) for c in node.get("nodes", []) + node.get("floating_nodes", []))
print(walk(json.load(sys.stdin)))'
}
# The bar's rectangle "x y w h": the part of the output that the workspace leaves out.
bar_rect() {
    local outputs workspaces
    outputs=$(swaymsg -t get_outputs) && workspaces=$(swaymsg -t get_workspaces) || return 1
    /usr/bin/python3 -c '
import json, sys
o, w = json.loads(sys.argv[1])[0]["rect"], json.loads(sys.argv[2])[0]["rect"]
if w["y"] > o["y"]:
    print(o["x"], o["y"], o["width"], w["y"] - o["y"])
else:
    bottom = w["y"] + w["height"]
    print(o["x"], bottom, o["width"], o["y"] + o["height"] - bottom)' "$outputs" "$workspaces"
}
panel_geometry() { window_geometry "$(panel_window)"; }
overrides_redirect() { xwininfo -id "$(panel_window)" | grep -q 'Override Redirect State: yes'; }
normal_type() {
    [ "$(xprop -id "$(panel_window)" _NET_WM_WINDOW_TYPE)" = "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_NORMAL" ]
}
unmanaged_normal() { overrides_redirect && normal_type; }
within_screen() { # x y w h
    [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le "$screen_width" ] && [ $(($2 + $4)) -le "$screen_height" ]
}
apart() { # x y w h of two rectangles: they share no pixel
    [ $(($1 + $3)) -le "$5" ] || [ $(($5 + $7)) -le "$1" ] || [ $(($2 + $4)) -le "$6" ] || [ $(($6 + $8)) -le "$2" ]
}
lines_with() { grep -cF -- "$1" "$log" 2>/dev/null; }
logged_times() { [ "$(lines_with "$1")" -ge "$2" ]; } # text, count
at() { [ "$(panel_geometry)" = "$*" ]; } # x y w h: where the panel is now
at_last_frame() { # where the last "Fenster sichtbar" line says
    local frame
    read -ra frame < <(frame_on_line "$(grep -F 'Fenster sichtbar: true' "$log" | tail -n1)")
    at "${frame[@]}"
}

# === 1: a bar with a tray, at the top and at the bottom
bar_with_tray() { # top or bottom
    local side=$1 bx by bw bh first last count point_x point_y px py pw ph wx wy ww wh
    echo "# a bar at the $side"
    start_sway "output HEADLESS-1 resolution ${screen_width}x$screen_height"$'\nxwayland enable\nbar {\n'"    position $side"$'\n    tray_output *\n}' || return 1
    check "swaybar is the StatusNotifierItem host" wait_for 10 name_owned "$DBUS_SESSION_BUS_ADDRESS" org.kde.StatusNotifierWatcher
    start_program
    check "the program registers its item with swaybar" wait_for 10 logged "Symbol sichtbar: true"
    item=$(bus_call "$DBUS_SESSION_BUS_ADDRESS" org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.ListNames |
        grep -o "org.kde.StatusNotifierItem-[0-9]*-1" | head -n1)
    check "the watcher lists the item" item_registered
    sleep 1
    check "with the item shown, no panel opens by itself" bash -c "! grep -qF 'Fenster' '$log'"
    screenshot "$work/bar-$side.ppm"
    read -r bx by bw bh < <(bar_rect)
    read -r first last count < <(/usr/bin/python3 "$desktop_lib/screen.py" --ppm "$work/bar-$side.ppm" span 1180 "$by" 100 "$bh" 2f6fd8 90)
    check "swaybar draws the item at the right end of the bar ($bx, $by, $bw, $bh)" test "${first:-none}" != none -a "${count:-0}" -gt 10
    point_x=$(((first + last) / 2))
    point_y=$((by + bh / 2))

    activate
    check "Activate at ($point_x, $point_y) opens the panel" wait_for 5 logged "Fenster sichtbar: true"
    read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
    check "the panel's window is mapped on XWayland" wait_for 3 panel_shown
    read -r wx wy ww wh < <(panel_geometry)
    echo "# point ($point_x, $point_y), frame logged ($px, $py, $pw, $ph), window ($wx, $wy, $ww, $wh), bar ($bx, $by, $bw, $bh)"
    check "the window is exactly where the program says" test "$wx $wy $ww $wh" = "$px $py $pw $ph"
    check "it bypasses the window manager" overrides_redirect
    check "as a normal window, which sway gives the keyboard" normal_type
    check "so sway manages no window of the program" test "$(sway_views)" = 0
    check "the panel lies inside the screen" within_screen "$wx" "$wy" "$ww" "$wh"
    check "and clear of the bar" apart "$wx" "$wy" "$ww" "$wh" "$bx" "$by" "$bw" "$bh"
    if [ "$side" = top ]; then
        check "under the point" test "$wy" -gt "$point_y"
    else
        check "over the point" test $((wy + wh)) -le "$point_y"
    fi
    screenshot "$work/panel-$side.ppm"
    # For a person to look at: E2E_PICTURES names a folder for the screenshot as a PNG.
    [ -n "${E2E_PICTURES:-}" ] && mkdir -p "$E2E_PICTURES" &&
        /usr/bin/python3 "$desktop_lib/screen.py" --ppm "$work/panel-$side.ppm" save \
            "$E2E_PICTURES/sway-$side.png" 0 0 1280 800
    check "the screenshot shows the panel there" color_near \
        "$(/usr/bin/python3 "$desktop_lib/screen.py" --ppm "$work/panel-$side.ppm" pixel $((wx + 8)) $((wy + wh / 2)))" "10 31 61" 8

    type_keys '12*3' -k Return -M ctrl c -m ctrl
    check "typed keys reach the calculator: 12*3, Return, Ctrl+C copies 36,00 EUR" wait_for 3 logged "Kopiert: 36,00 EUR"
    xdotool mousemove $((wx + 8)) $((wy + wh / 2)) mousedown 1 mousemove $((wx + 8 - 30)) $((wy + wh / 2 + 15)) \
        mousemove $((wx + 8 - 60)) $((wy + wh / 2 + 30)) mouseup 1
    check "dragging its background moves it" wait_for 3 at $((wx - 60)) $((wy + 30)) "$ww" "$wh"

    activate
    check "a second Activate hides it" wait_for 5 logged $'Fenster schlie\303\237en: Symbol angeklickt'
    check "and unmaps the window" wait_for 3 panel_hidden
    sleep 0.5 # a click of its own, not the second half of a double click
    activate
    check "a third opens it again" wait_for 5 logged_times "Fenster sichtbar: true" 2
    check "exactly where the program says again" wait_for 3 at_last_frame
    check "still a normal window past the window manager" unmanaged_normal
    type_keys -k Escape
    check "Escape hides it" wait_for 3 logged $'Fenster schlie\303\237en: Esc'
    check "and unmaps it" wait_for 3 panel_hidden
    stop "$app"
    stop "$sway_pid"
}
activate() {
    bus_call "$DBUS_SESSION_BUS_ADDRESS" "$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
        "int32:$point_x" "int32:$point_y" >/dev/null
}

start_session_bus || exit 1
bar_with_tray top
bar_with_tray bottom

# === 2: no bar, so no tray: the panel opens by itself, centred
start_sway "output HEADLESS-1 resolution ${screen_width}x$screen_height"$'\nxwayland enable' || exit 1
start_program
check "without a bar the program finds no tray" wait_for 10 logged "Symbol sichtbar: false"
check "and opens its panel in the middle" wait_for 5 logged $'Fenster \303\266ffnen: Symbol nicht sichtbar'
read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
check "the frame is centred, 0.12 of the height below the top" test "$px" -eq $(((screen_width - pw) / 2)) -a "$py" -eq 96
check "the centred panel's window is mapped" wait_for 3 panel_shown
check "exactly where the program says" at "$px" "$py" "$pw" "$ph"
stop "$app"
stop "$sway_pid"

if [ "$failed" -ne 0 ]; then
    for f in "$wl"/sway.log "$wl"/velmora.log; do echo "--- $f"; tail -n 20 "$f"; done
fi
echo "wayland: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
