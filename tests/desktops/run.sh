#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Velmora in the trays of Debian 12's desktops, each started headless with an X server, a session
# bus and a home of its own, one after the other: XFCE's panel along the top and the bottom, GNOME
# Shell on X11 with the AppIndicator extension, KDE Plasma's panel along the bottom and the top.
# The mouse hovers and clicks as a person's would (xdotool); what shows is read off the screen and
# with xwininfo. Last, the program started in one fresh GNOME after the other, where the
# extension must keep its item every time.
#   tests/desktops/run.sh path/to/velmora [xfce-top xfce-bottom gnome kde-bottom kde-top gnome-starts]
set -uo pipefail
velmora=$(readlink -f "${1:?usage: run.sh path/to/velmora [desktop...]}")
shift
. "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"

# GNOME Shell and KWin draw with OpenGL: mesa's software renderer, with no GPU here. No
# accessibility bus either, which GTK would otherwise look for.
export LIBGL_ALWAYS_SOFTWARE=1 NO_AT_BRIDGE=1
starts=${DESKTOP_STARTS:-12}

# Every process of a desktop is started here with the desktop's home, the daemons its bus would
# otherwise start by activation too, so that each has a pid of ours to stop it by.
desktop_start() { # command...
    env "${desktop_env[@]}" "$@" >>"$work/desktop.log" 2>&1 &
    track $!
}
libexec() { local found=(/usr/lib/*/"$1"); echo "${found[0]}"; } # path under the multiarch folder

# === XFCE 4.18: xfconfd, xfwm4 and xfce4-panel with one bar holding the status tray
xfce_panel_xml() { # top or bottom
    local position=6
    [ "$1" = bottom ] && position=8
    cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=$position;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
        <value type="int" value="2"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="separator">
      <property name="expand" type="bool" value="true"/>
      <property name="style" type="uint" value="0"/>
    </property>
    <property name="plugin-2" type="string" value="systray">
      <property name="icon-size" type="int" value="22"/>
      <property name="square-icons" type="bool" value="true"/>
    </property>
  </property>
</channel>
EOF
}
start_xfce() { # top or bottom
    local channels="$work/desktop/config/xfce4/xfconf/xfce-perchannel-xml"
    mkdir -p "$channels"
    xfce_panel_xml "$1" >"$channels/xfce4-panel.xml"
    bus_activation_env
    desktop_start "$(libexec xfce4/xfconf/xfconfd)"
    wait_for 10 name_owned "$DBUS_SESSION_BUS_ADDRESS" org.xfce.Xfconf || { echo "xfconfd did not start"; return 1; }
    desktop_start xfwm4 --compositor=off
    wait_for 10 window_manager_ready || { echo "xfwm4 did not start"; return 1; }
    desktop_start xfce4-panel
    wait_for 20 host_registered || { echo "xfce4-panel's tray registered no host"; return 1; }
}

# === GNOME Shell 43 on X11 with the AppIndicator extension, on a stand-in system bus
gnome_settings=(
    "org.gnome.shell enabled-extensions ['ubuntu-appindicators@ubuntu.com']"
    "org.gnome.shell disable-user-extensions false"
    "org.gnome.shell welcome-dialog-last-shown-version '999'"
    # Run as root the shell puts banners over the top of the screen otherwise.
    "org.gnome.desktop.notifications show-banners false"
)
start_gnome() {
    local setting schema key value
    start_system_bus || return 1
    bus_activation_env DBUS_SYSTEM_BUS_ADDRESS
    desktop_start /usr/libexec/dconf-service
    wait_for 10 name_owned "$DBUS_SESSION_BUS_ADDRESS" ca.desrt.dconf || { echo "dconf-service did not start"; return 1; }
    for setting in "${gnome_settings[@]}"; do
        read -r schema key value <<<"$setting"
        env "${desktop_env[@]}" gsettings set "$schema" "$key" "$value" || return 1
    done
    desktop_start env XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=GNOME gnome-shell --x11 --replace
    # It dies of SIGSEGV on every SIGTERM once it is up, and ends only so: out of the job table,
    # bash does not report that as a crash when the desktop is stopped.
    disown $!
    wait_for 60 host_registered || { echo "GNOME Shell's extension registered no host"; return 1; }
    # The shell starts in its overview; Escape leaves it.
    sleep 0.5
    xdotool key Escape
}

# === KDE Plasma 5.27: kwin_x11, kactivitymanagerd, kded5 (whose module is the watcher) and
# plasmashell, whose first start lays out one bar along the bottom; a script moves it to the top.
kde_env=(XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 QT_QPA_PLATFORM=xcb
    KWIN_COMPOSE=N QT_QUICK_BACKEND=software)
plasma_script() {
    bus_call "$DBUS_SESSION_BUS_ADDRESS" org.kde.plasmashell /PlasmaShell org.kde.PlasmaShell.evaluateScript "string:$1"
}
start_kde() { # bottom or top
    bus_activation_env "${kde_env[@]}"
    desktop_start env "${kde_env[@]}" kwin_x11 --replace
    wait_for 20 window_manager_ready || { echo "kwin_x11 did not start"; return 1; }
    desktop_start env "${kde_env[@]}" "$(libexec libexec/kactivitymanagerd)"
    desktop_start env "${kde_env[@]}" kded5
    wait_for 20 name_owned "$DBUS_SESSION_BUS_ADDRESS" org.kde.kded5 || { echo "kded5 did not start"; return 1; }
    desktop_start env "${kde_env[@]}" plasmashell --no-respawn
    wait_for 60 host_registered || { echo "plasmashell's tray registered no host"; return 1; }
    if [ "$1" = top ]; then
        plasma_script 'panels().forEach(function (p) { p.location = "top"; })' >/dev/null
        wait_for 10 bar_along top || { echo "Plasma's bar did not move to the top"; return 1; }
    fi
}

# === the desktop as a person sees it
# The strip along an edge that the work area leaves out: the desktop's bar there.
bar_rect() { # edge
    local x y w h
    read -r x y w h < <(xprop -root _NET_WORKAREA | sed -nE 's/.*= ([0-9]+), ([0-9]+), ([0-9]+), ([0-9]+).*/\1 \2 \3 \4/p')
    if [ "$1" = top ]; then
        echo "0 0 $screen_width ${y:-0}"
    else
        echo "0 $((y + h)) $screen_width $((screen_height - y - h))"
    fi
}
bar_along() { local thickness; thickness=$(bar_rect "$1" | cut -d' ' -f4); [ "${thickness:-0}" -gt 0 ]; }
off_bar() { # edge: the rest of the screen
    local x y w h
    read -r x y w h < <(bar_rect "$1")
    if [ "$1" = top ]; then echo "0 $h $screen_width $((screen_height - h))"; else echo "0 0 $screen_width $y"; fi
}
# The icon: the blue of its disc (data/icons/velmora.svg) in the bar, no larger than the bar is thick.
find_icon() { # edge: sets icon ("x y w h"), cx and cy, its middle
    local x y w h count thickness
    read -r x y w h count < <(screen box $(bar_rect "$1") 2663d9 40)
    thickness=$(bar_rect "$1" | cut -d' ' -f4)
    [ "$x" != none ] && [ "$count" -ge 40 ] && [ "$w" -le "$thickness" ] && [ "$h" -le "$thickness" ] || return 1
    icon="$x $y $w $h"
    cx=$((x + w / 2))
    cy=$((y + h / 2))
}
away() { xdotool mousemove $((screen_width / 2)) $((screen_height / 2)); }
# What appeared beside the bar since $work/before.ppm: its box in $box, if more than a speck.
appeared() { # edge
    local x y w h
    read -r x y w h < <(screen changed "$work/before.ppm" $(off_bar "$1"))
    [ "$x" != none ] && [ "$w" -gt 8 ] && [ "$h" -gt 8 ] && box="$x $y $w $h"
}
# A tool tip, a menu or the panel beside the icon: level with it and just off the bar.
beside_icon() { # "x y w h"
    local x y w h ix iw gap
    read -r x y w h <<<"$1"
    read -r ix _ iw _ <<<"$icon"
    gap=$(gap_between "$1" "$(bar_rect "$edge")")
    [ "$x" -lt $((ix + iw)) ] && [ $((x + w)) -gt "$ix" ] && [ "$gap" -ge 0 ] && [ "$gap" -le 24 ]
}
panel_rect() { window_geometry "$(panel_window)"; }
panel_placed() { local rect; rect=$(panel_rect) && beside_icon "$rect" && inside_screen "$rect" 0; }
# Each click waits out the double-click interval of the one before: a click of its own, not the
# second half of a double click, which the program ignores.
click_icon() { sleep 0.5 && xdotool mousemove "$cx" "$cy" click "$@"; } # xdotool click arguments
# The click a host passes on as the item's Activate, made here without the mouse.
activate() {
    sleep 0.5
    bus_call "$DBUS_SESSION_BUS_ADDRESS" "$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
        "int32:$cx" "int32:$cy" >/dev/null
}
hide_panel() { panel_hidden || { activate && wait_for 3 panel_hidden; }; }
# The program takes the second click of a double click for no new one: it does not close again.
opened_by_double_click() {
    panel_hidden || return 1
    click_icon --repeat 2 --delay 80 1
    sleep 1.5
    panel_shown
}
open_menu() { # xdotool click arguments: the host's menu for the icon, its box in $menu
    menu=""
    away
    sleep 0.5
    screen grab "$work/before.ppm"
    click_icon "$@"
    wait_for 4 appeared "$edge" && menu=$box
}
choose() { # 1 or 2: the first or the second of the menu's two entries
    local x y w h
    [ -n "$menu" ] || return 1
    read -r x y w h <<<"$menu"
    xdotool mousemove $((x + w / 2)) $((y + h * (2 * $1 - 1) / 4)) click 1
}
listed_items() {
    watcher_get RegisteredStatusNotifierItems | grep -oE '[^[:space:]]*StatusNotifierItem[^[:space:]]*|:[0-9.]+' | paste -sd' '
}
start_program() { # name of its home
    new_home "$work/home-$1"
    settings_with_rates "EUR, THB" >"$config/Velmora/Velmora.conf"
    session_env
    output="$work/velmora-$1.log"
    env "${session[@]}" "$velmora" >"$output" 2>&1 &
    app=$!
    track "$app"
    item="org.kde.StatusNotifierItem-$app-1"
}
# Each desktop on an X server, a bus and a home of its own, so that nothing of the last is left.
start_desktop_for() { # name
    local kind=${1%%-*} edge=${1#*-}
    new_desktop_home
    : >"$work/desktop.log"
    unset DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS
    start_xvfb && start_session_bus && "start_$kind" "$edge"
}
host_said() { # what the desktop's processes logged about the item and the program's warnings
    grep -hF -e 'initalizing' -e 'Impossible to get basic' "$work/desktop.log" | sed 's/^/  host: /'
    grep -hF -e 'Skipped method' -e 'Warn' "$output" 2>/dev/null | sed 's/^/  program: /'
}

in_desktop() { # xfce-top, xfce-bottom, gnome, kde-bottom or kde-top
    desk=$1
    local kind=${1%%-*} mark=${#started[@]} failed_before=$failed side=under
    edge=${1#*-}
    [ "$kind" = gnome ] && edge=top
    [ "$edge" = bottom ] && side=over
    echo "# $desk"
    if ! check "$desk: the desktop starts and its tray registers a host" start_desktop_for "$desk"; then
        tail -n 20 "$work/desktop.log" | sed 's/^/  /'
        stop_started_since "$mark"
        return 1
    fi
    start_program "$desk"
    check "$desk: the watcher lists the program's item" wait_for 10 item_registered
    check "$desk: the program counts its icon as seen" wait_for 5 logged "Symbol sichtbar: true"
    sleep 2.5
    check "$desk: the watcher still lists it 2.5 s later" item_registered
    check "$desk: the item's tool tip reads Velmora and the rate" tooltip_has_rate
    # Here Plasma's bar drops off the screen while any other window is mapped, the program's or
    # another's (the bar's window still holds it; the screen shows the wallpaper there), so the
    # icon is looked for before anything opens.
    if ! check "$desk: the icon shows in the bar along the $edge" wait_for 5 find_icon "$edge"; then
        host_said
        stop_started_since "$mark"
        return 1
    fi
    echo "# the watcher lists $(listed_items), icon at $icon, bar $(bar_rect "$edge")"
    if [ "$kind" = gnome ]; then
        check "$desk: a click on the icon opens the host's menu beside it" open_menu 1 &&
            check "$desk: the menu sits under the icon ($menu)" beside_icon "$menu"
        choose 1
        check "$desk: the menu's Velmora öffnen opens the panel" wait_for 5 panel_shown &&
            check "$desk: under the icon, not in the middle, clear of the bar, on the screen ($(panel_rect))" panel_placed
        hide_panel
        for how in "double click:--repeat 2 --delay 80 1" "middle click:2"; do
            click_icon ${how#*:}
            check "$desk: a ${how%%:*} on the icon opens the panel" wait_for 5 panel_shown &&
                check "$desk: ... under the icon, clear of the bar, on the screen ($(panel_rect))" panel_placed
            hide_panel
        done
        open_menu 1
    else
        away
        sleep 0.5
        screen grab "$work/before.ppm"
        xdotool mousemove "$cx" "$cy"
        check "$desk: hovering the icon shows a tool tip" wait_for 4 appeared "$edge" &&
            check "$desk: ... beside the icon ($box)" beside_icon "$box"
        click_icon 1
        if check "$desk: a click on the icon opens the panel" wait_for 5 panel_shown; then
            check "$desk: $side the icon, clear of the bar, on the screen ($(panel_rect))" panel_placed
            click_icon 1
            check "$desk: a second click hides it" wait_for 3 panel_hidden
        fi
        hide_panel
        check "$desk: a double click on the icon leaves the panel open" opened_by_double_click
        hide_panel
        check "$desk: a right click on the icon opens the host's menu" open_menu 3 &&
            check "$desk: ... beside the icon ($menu)" beside_icon "$menu"
        choose 1
        check "$desk: the menu's Velmora öffnen opens the panel" wait_for 5 panel_shown
        panel_shown && echo "# the panel from the menu at $(panel_rect)"
        hide_panel
        open_menu 3
    fi
    choose 2
    check "$desk: the menu's Beenden quits the program" wait_for 5 gone "$app"
    [ "$failed" -eq "$failed_before" ] || host_said
    stop_started_since "$mark"
}

# Why the item of the program just started is not kept, if it is not: listed, counted as seen,
# still listed 2.5 s after it was first, and in the bar.
item_lost() {
    local pause
    wait_for 10 item_registered || { echo "never listed"; return; }
    sleep 2.5 &
    pause=$!
    wait_for 5 logged "Symbol sichtbar: true" || { wait "$pause"; echo "not counted as seen"; return; }
    wait "$pause"
    item_registered || { echo "no longer listed 2.5 s after it was"; return; }
    wait_for 5 find_icon top || echo "listed, but not shown in the bar"
}
# The extension drops an item now and then right after it registered, while the shell is young:
# so each start of the program is in a fresh GNOME.
gnome_starts() { # count
    local n dropped=0 mark lost
    desk=gnome
    echo "# the program started in $1 fresh GNOME sessions"
    for n in $(seq "$1"); do
        mark=${#started[@]}
        if start_desktop_for gnome; then
            start_program "gnome-start-$n"
            lost=$(item_lost)
        else
            lost="not shown: GNOME did not come up"
        fi
        if [ -n "$lost" ]; then
            dropped=$((dropped + 1))
            echo "# start $n: the item was $lost"
            host_said
        fi
        stop_started_since "$mark"
    done
    check "gnome: the item stays listed and shown in $1 fresh starts ($dropped dropped)" test "$dropped" -eq 0
}

[ $# -gt 0 ] || set -- xfce-top xfce-bottom gnome kde-bottom kde-top gnome-starts
for name in "$@"; do
    case $name in
    gnome-starts) gnome_starts "$starts" ;;
    *) in_desktop "$name" ;;
    esac
done
echo "desktops: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
