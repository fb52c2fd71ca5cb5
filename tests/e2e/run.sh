#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real velmora binary on a virtual X server as a person would: tray click, typing,
# copy and paste, Escape, a second start, then a start without tray host, a tray host that
# arrives late, and a start at login. Starts everything itself and stops all of it.
#   tests/e2e/run.sh path/to/velmora
set -uo pipefail
velmora=$(readlink -f "${1:?usage: run.sh path/to/velmora}")
. "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"

start_desktop || exit 1

# --- a home of its own for each run: cached rates, only the euro on, feeds out of reach
new_home_with_rates() {
    new_home "$work/home$1"
    settings_with_rates EUR >"$config/Velmora/Velmora.conf"
}
start_velmora() { # in the background; its pid in $app
    session_env
    env "${session[@]}" "$velmora" "$@" >"$work/velmora$((++runs)).log" 2>&1 &
    app=$!
    track "$app"
}
runs=0
line_after() { # text, line number: the first line after that one holding the text
    grep -nF -- "$1" "$log" | cut -d: -f1 | awk -v after="$2" '$1 > after {print; exit}'
}
in_order() { # the given texts appear in the log in this order
    local last=0 n
    for text in "$@"; do
        n=$(line_after "$text" "$last")
        [ -n "$n" ] && [ "$n" -gt "$last" ] || { echo "  out of order or missing: $text"; return 1; }
        last=$n
    done
}

# === 1: with a tray host
start_tray
wait_for 10 xdotool search --class trayer >/dev/null
# The tray window shows before it has taken the tray selection, and on a freshly booted
# machine its first start can take seconds; there is no property to wait for.
sleep 3
new_home_with_rates 1
start_velmora
check "the tray icon is there 1.5 s after start" wait_for 10 logged "Symbol sichtbar: true"
read -r ix iy iw ih < <(frame_of "Symbol sichtbar: true")
icon_named() { # the tray icon's window carries the program's name
    local w
    for w in $(xdotool search --onlyvisible --class velmora); do
        is_panel "$w" && continue
        xprop -id "$w" WM_NAME | grep -qF '"Velmora"' && return 0
    done
    return 1
}
check "the tray icon's window is named Velmora" icon_named
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
check "a click on the icon opens the panel" wait_for 5 logged "Fenster sichtbar: true"
read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
check "the panel opens under the icon" test "$py" -ge $((iy + ih + 4)) -a "$py" -le $((iy + ih + 12))
check "the panel stays 6 points inside the screen" test $((px + pw)) -le $((screen_width - 6)) -a "$pw" -eq "$panel_width"
sleep 0.3
xdotool type --delay 40 '12*3'
xdotool key Return ctrl+c
check "12*3, Return, Ctrl+C puts 36,00 on the clipboard" wait_for 3 clipboard_is "36,00"
set_clipboard $'1.234,56 \342\202\254' || echo "  xclip did not take the clipboard"
xdotool key ctrl+v ctrl+c
check "a pasted 1.234,56 € copies as 1234,56" wait_for 3 clipboard_is "1234,56"
# A second start is what a desktop shortcut to "velmora" does: on an open panel it stays open.
run_velmora >"$work/velmora1a.log" 2>&1
check "a second start on the open panel exits with 0" test $? -eq 0
still_open() {
    [ "$(grep -c 'Fenster sichtbar: true' "$log")" -eq 2 ] && ! grep -qF 'Fenster schlie' "$log" &&
        viewable "$(panel_window)"
}
check "and leaves the panel open" wait_for 3 still_open
xdotool key Escape
check "Escape hides the panel" wait_for 3 logged $'Fenster schlie\303\237en: Esc'
run_velmora >"$work/velmora1b.log" 2>&1
check "a second start exits with 0" test $? -eq 0
check "a second start shows the running panel" wait_for 3 logged $'Fenster \303\266ffnen: erneut ge\303\266ffnet'
check "the log holds each step in order" in_order "Start, Version" "Symbol sichtbar: true" \
    "Fenster $(printf '\303\266')ffnen: Symbol angeklickt" "Fenster sichtbar: true" "Kopiert: 36,00 EUR" \
    "Kopiert: 1234,56 EUR" "Fenster schlie$(printf '\303\237')en: Esc" "Fenster $(printf '\303\266')ffnen: erneut ge$(printf '\303\266')ffnet"
autostart="$home/config/autostart/velmora.desktop"
click_control "Beim Anmelden starten" "$app"
check "the login check box writes an autostart entry" wait_for 3 test -f "$autostart"
check "the autostart entry starts this very program at login" \
    grep -qxF "Exec=\"$velmora\" --autostart" "$autostart"
click_control "Beim Anmelden starten" "$app"
check "unticking the check box removes the entry" wait_for 3 test ! -e "$autostart"
sleep 0.3
xdotool key ctrl+q
check "Ctrl+Q quits" wait_for 5 bash -c "! kill -0 $app 2>/dev/null"
stop "$app"

# === 2: no tray host, which arrives two seconds later
stop_tray
new_home_with_rates 2
start_velmora
check "without a tray the check finds no icon" wait_for 5 logged "Symbol sichtbar: false"
check "without a tray the panel opens by itself" wait_for 3 logged $'Fenster \303\266ffnen: Symbol nicht sichtbar'
wait_for 3 logged "Fenster sichtbar: true" # the line after it, written a moment later
read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
check "the panel opens centred, 0.12 of the height below the top" test "$px" -eq $(((screen_width - pw) / 2)) -a "$py" -eq $((screen_height * 12 / 100))
sleep 0.5
start_tray
check "a tray host that starts late gets the icon" wait_for 5 logged "Symbol angelegt"
check "the late icon is on screen in the tray" wait_for 5 bash -c \
    "xdotool search --onlyvisible --class velmora | while read w; do xdotool getwindowgeometry \$w; done | grep -q 'Geometry: 22x22\|Geometry: 24x24'"
stop "$app"
stop_tray

# === 3: started at login without a tray: no panel is opened
new_home_with_rates 3
start_velmora --autostart
check "a start at login is logged as such" wait_for 5 logged "beim Anmelden: true"
check "at login the check still runs" wait_for 5 logged "Symbol sichtbar: false"
sleep 0.5
check "at login no panel opens by itself" bash -c "! grep -qF 'Fenster sichtbar' '$log'"
stop "$app"

# === 4: the panel as a person sees it: fitted to its content whatever changes it, on every
# desktop, in no task bar, its warning drawn whole. Without a tray it opens by itself; the feeds
# are out of reach, so the refresh at opening fails and the footer warns.
# Navy: the background, its outline (white at 13 % over it) and the warning colour.
background="10 31 61"
outline="42 60 86"
warning=ff9500
# The window ends where the content ends: its last row is the outline, the rows above it the
# panel's background (a taller window would show black there, a shorter one no outline).
fits() {
    local x y w h middle
    read -r x y w h < <(window_geometry "$panel")
    middle=$((x + w / 2))
    color_near "$(screen pixel "$middle" $((y + h - 1)))" "$outline" 10 &&
        color_near "$(screen pixel "$middle" $((y + h - 4)))" "$background" 6
}
panel_shown() { panel=$(panel_window) && [ -n "$panel" ]; }
height_of_panel() { window_geometry "$panel" | cut -d' ' -f4; }
height_is() { [ "$(height_of_panel)" -eq "$1" ]; }
# The warning-coloured run in the footer's left part: "first last count" or "none".
warning_span() {
    local x y w h
    read -r x y w h < <(window_geometry "$panel")
    screen span $((x + 14)) $((y + h - 90)) 280 80 "$warning" 40
}
warning_whole() { # at least 80 pixels: "Keine Verbindung" cut to "Kei…" would be about 25
    local first last count
    read -r first last count < <(warning_span)
    [ "$first" != none ] && [ $((last - first + 1)) -ge 80 ]
}
# A home whose cached rates were fetched at the given time ("1 hour ago" and the like).
home_fetched() {
    local seconds
    seconds=$(($(date -d "$2" +%s) - 978307200))
    new_home "$work/home$1"
    settings_with_rates "EUR, THB" | sed "s/787000000/$seconds/" >"$config/Velmora/Velmora.conf"
}
for age in "1 hour ago" "yesterday" "1 year ago"; do
    home_fetched "4-${age// /-}" "$age"
    start_velmora
    # The refresh at start fails before the panel opens: it opens with the warning.
    wait_for 5 panel_shown
    check "rates fetched $age, no connection: the warning is drawn whole" wait_for 5 warning_whole
    check "rates fetched $age: the window ends where the content ends" wait_for 3 fits
    [ "$age" = "1 year ago" ] || stop "$app"
done
check "the panel stays on every desktop" test "$(xprop -id "$panel" _NET_WM_DESKTOP)" = \
    "_NET_WM_DESKTOP(CARDINAL) = 4294967295"
check "the panel is no task bar or pager entry" bash -c \
    "xprop -id $panel _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR &&
     xprop -id $panel _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_PAGER"
# Another amount currency takes the emphasis off the euro row: 16 points less content.
tall=$(height_of_panel)
click_control EUR "$app" "radio button"
check "the euro as amount currency: the window shrinks with its content" wait_for 3 height_is $((tall - 16))
check "the euro as amount currency: the window ends where the content ends" wait_for 3 fits
click_control THB "$app" "radio button"
check "the baht as amount currency again: the window grows back" wait_for 3 height_is "$tall"
check "the baht as amount currency again: the window ends where the content ends" wait_for 3 fits
xdotool set_desktop 1
check "on the second desktop the panel is still in view" wait_for 3 viewable "$panel"
run_velmora >/dev/null 2>&1
check "a second start from the second desktop leaves the panel in view there" \
    bash -c "test \"\$(xdotool get_desktop)\" = 1 && xwininfo -id $panel | grep -q IsViewable"
xdotool set_desktop 0
stop "$app"

# === 5: by keyboard and through a screen reader: the running program's accessibility tree read
# as Orca reads it (AT-SPI), Tab, Shift+Tab and Space, and the focus ring on screen.
new_home "$work/home5"
settings_with_rates "EUR, THB" >"$config/Velmora/Velmora.conf"
start_velmora
wait_for 5 panel_shown
tree() { atspi --pid "$app" tree; }
focused_is() { [ "$(atspi --pid "$app" focused)" = "$1" ]; }
# Every control a screen reader lists can take the focus.
controls_focusable() {
    local all
    all=$(tree | grep -E $'^ *(push button|radio button|check box)\t') || return 1
    # two display buttons, two amount currencies, three result buttons, 19 keys, four currency
    # switches, four themes and the footer's four
    [ "$(grep -cv 'focusable' <<<"$all")" -eq 0 ] && [ "$(wc -l <<<"$all")" -eq 38 ]
}
check "every control of the panel can take the focus ($(tree | grep -cE $'^ *(push button|radio button|check box)\t') controls)" controls_focusable
check "as the panel opens the window has the focus, no control" focused_is $'frame\tVelmora'
xdotool key Tab
check "Tab moves the focus to the first control" wait_for 2 focused_is $'push button\tAlles zur\303\274cksetzen'
xdotool key Tab
check "Tab moves on to the amount currencies" wait_for 2 focused_is $'radio button\tEUR'
xdotool key shift+Tab
check "Shift+Tab goes back" wait_for 2 focused_is $'push button\tAlles zur\303\274cksetzen'
# On to the dollar's switch; digits typed on the way still reach the calculator.
for _ in $(seq 60); do
    focused_is $'check box\tUSD' && break
    xdotool key Tab
done
check "Tab reaches the dollar's switch" focused_is $'check box\tUSD'
read -r fx fy fw fh < <(control_extents USD "$app" "check box")
ring_drawn() { color_near "$(screen pixel $((fx + fw / 2)) $((fy + 1)))" "255 255 255" 40; }
check "the focused switch wears a ring in the theme's text colour" wait_for 2 ring_drawn
xdotool key space
check "Space on the focused switch switches the dollar on" wait_for 3 logged $'W\303\244hrungen: EUR, USD, THB'
readable() { tree | grep -qP "$1"; }
check "the switch now reads as checked" wait_for 2 readable $'^ *check box\tUSD\tchecked'
xdotool type --delay 40 '12*3'
xdotool key Return
check "12*3 and Return, typed with a control focused, read as the baht row THB 36,00" \
    wait_for 3 readable $'^ *list item\tTHB 36,00\t'
rows_read() { [ "$(tree | grep -cP $'^ *list item\t(EUR|USD|THB) [0-9]')" -eq 3 ]; }
check "each active currency's row is read with its amount" rows_read
check "the footer's status is read with its warning" wait_for 5 readable $'^ *label\taktualisiert .*  Keine Verbindung\t'
one_checked() { [ "$(tree | grep -cP "^ *radio button\t($1)\tchecked")" -eq 1 ]; }
check "exactly one amount currency reads as chosen" one_checked 'EUR|USD|THB|PLN'
check "exactly one theme reads as chosen" one_checked 'Navy|Graphit|Hellblau|Wei\x{00DF}'
xdotool key Escape
check "Escape still hides the panel with a control focused" wait_for 3 logged $'Fenster schlie\303\237en: Esc'
stop "$app"

# === 6: a StatusNotifierItem host (gtk-sni-tray-standalone, with its own watcher) instead of an
# XEmbed tray: the program's own item, its properties as the host reads them, clicks passed as
# points over D-Bus, the menu.
check "the host and its watcher are on the bus" start_sni_host "$work/sni-tray.log" ||
    sed 's/^/  host: /' "$work/sni-tray.log"
new_home "$work/home6"
settings_with_rates "EUR, THB" >"$config/Velmora/Velmora.conf"
start_velmora
item="org.kde.StatusNotifierItem-$app-1"
check "the program's own item registers with the host's watcher" wait_for 5 item_registered
check "the icon check counts the item as seen" wait_for 5 logged "Symbol sichtbar: true"
sleep 0.5
check "so no panel opens by itself" bash -c "! grep -qF 'Fenster' '$log'"
item_says() { item_get "$1" | grep -qF "$2"; }
check "Title is Velmora" item_says Title Velmora
check "Id is velmora" item_says Id velmora
check "XAyatanaLabel carries the baht rate" item_says XAyatanaLabel 39,50
check "the tool tip is Velmora with the rate" tooltip_has_rate
# Where the host draws the item: the right end of its bar along the top.
activate() { bus_call "$DBUS_SESSION_BUS_ADDRESS" "$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate "int32:$1" "int32:$2" >/dev/null; }
activate 1268 12
check "Activate(1268, 12) opens the panel" wait_for 3 logged $'Fenster \303\266ffnen: Symbol angeklickt'
read -r px py pw ph < <(frame_of "Fenster sichtbar: true")
# The host's bar reserves its strip of the screen: the panel opens 6 points below it, not on it.
area_top=$(xprop -root _NET_WORKAREA | sed -nE 's/.*= [0-9]+, ([0-9]+),.*/\1/p')
area_top=${area_top:-none}
check "under that point, clear of the host's bar and 6 points inside the screen ($px, $py; the bar ends at $area_top)" \
    test "$px" -eq $((screen_width - pw - 6)) -a "$area_top" != none -a "$py" -eq $((${area_top/none/-99} + 6))
panel_shown
check "and on screen there" bash -c "xwininfo -id $panel | grep -q 'Absolute upper-left X:  $px'"
menu_label() {
    bus_call "$DBUS_SESSION_BUS_ADDRESS" "$item" /MenuBar com.canonical.dbusmenu.GetLayout int32:0 int32:-1 array:string: |
        grep -qF "$1"
}
check "the menu offers to close the open panel" menu_label $'Velmora schlie\303\237en'
sleep 0.5 # a click of its own, not the second half of a double click
activate 1268 12
check "a second Activate hides it" wait_for 3 logged $'Fenster schlie\303\237en: Symbol angeklickt'
check "the menu offers to open it again" wait_for 2 menu_label $'Velmora \303\266ffnen'
bus_call "$DBUS_SESSION_BUS_ADDRESS" "$item" /MenuBar com.canonical.dbusmenu.Event int32:2 string:clicked variant:int32:0 uint32:0 >/dev/null
check "the menu's Beenden quits" wait_for 5 gone "$app"
stop "$app"
stop "$sni_host"

# === 7: where the panel opens on the screens people have: a tray along the top, the bottom and
# the right-hand side, and scaled screens, each on an X server of its own size. Real clicks on the
# real icon; what the screen shows is read with xwininfo, in the server's pixels.
tray_bar() { # the tray host's window: "x y w h"
    local w
    w=$(xdotool search --onlyvisible --class trayer 2>/dev/null | head -n1) && [ -n "$w" ] && window_geometry "$w"
}
icon_window() { # the program's icon in the tray: the window of its class that is not the panel
    local w
    for w in $(xdotool search --onlyvisible --class velmora 2>/dev/null); do
        is_panel "$w" || { echo "$w"; return 0; }
    done
    return 1
}
panel_rect() { window_geometry "$panel"; }
bottom_of_panel() { local x y w h; read -r x y w h < <(panel_rect); echo $((y + h)); }
placement_case() { # name width height scale edge align
    local name=$1 scale=$4 edge=$5 icon bar rect gap side_ok px py pw ph ix iy iw ih
    new_display "$2" "$3" || return 1
    start_tray "$edge" "$6"
    wait_for 10 tray_bar >/dev/null
    sleep 2 # the tray takes its selection a moment after its window shows
    if ! running "$tray_pid"; then
        echo "# the tray host ended as it started, trying again:"
        sed 's/^/#   /' "$work/trayer.log"
        start_tray "$edge" "$6"
        wait_for 10 tray_bar >/dev/null
        sleep 2
    fi
    new_home "$work/home7-$edge-$scale"
    settings_with_rates "EUR, THB" >"$config/Velmora/Velmora.conf"
    session_env
    env "${session[@]}" QT_SCALE_FACTOR="$scale" "$velmora" >"$work/velmora7-$edge-$scale.log" 2>&1 &
    app=$!
    track "$app"
    if ! check "$name: the icon is in the tray" wait_for 10 logged "Symbol sichtbar: true" ||
        ! wait_for 5 icon_window >/dev/null; then
        echo "  tray host running: $(running "$tray_pid" && echo yes || echo no)," \
            "window manager running: $(running "$openbox_pid" && echo yes || echo no)"
        tail -n 5 "$work/trayer.log" "$work/openbox.log" "$log" 2>/dev/null | sed 's/^/  /'
        return 1
    fi
    icon=$(window_geometry "$(icon_window)")
    bar=$(tray_bar)
    read -r ix iy iw ih <<<"$icon"
    local bw bh thick
    read -r _ _ bw bh <<<"$bar"
    thick=$bh
    [ "$edge" = right ] && thick=$bw
    check "$name: the icon's window is square and fills the tray's slot (${iw}×${ih} in a bar $thick thick)" \
        test "$iw" -eq "$ih" -a "$ih" -ge $((thick - 4)) -a "$ih" -le "$thick"
    xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
    check "$name: a click on the icon opens the panel" wait_for 5 panel_shown
    sleep 0.3
    rect=$(panel_rect)
    read -r px py pw ph <<<"$rect"
    gap=$(gap_between "$rect" "$icon")
    # 4 points from the icon, or more where the area's margin keeps it further
    local points=$(awk -v s="$scale" 'BEGIN { printf "%d", 4 * s }')
    local most=$(awk -v s="$scale" 'BEGIN { printf "%d", 6 * s + 24 }')
    check "$name: $gap px from the icon, at least 4 points and close to it" \
        test "$gap" -ge $((points - 1)) -a "$gap" -le "$most"
    check "$name: the panel is off the tray bar" test "$(gap_between "$rect" "$bar")" -ge 1
    check "$name: the panel lies wholly on the screen, 6 points inside" \
        inside_screen "$rect" "$(awk -v s="$scale" 'BEGIN { printf "%d", 6 * s - 1 }')"
    case $edge in
    top) side_ok=$((py >= iy + ih)) ;;
    bottom) side_ok=$((py + ph <= iy)) ;;
    right) side_ok=$((px + pw <= ix && py + ph >= iy - 12)) ;; # lined up with the icon's lower end
    esac
    check "$name: the panel faces the icon from the $edge tray's open side" test "$side_ok" -eq 1
    echo "# $name | icon ($ix, $iy, $iw, $ih) | panel ($px, $py, $pw, $ph) | gap $gap px | bar ($bar)"
}
close_case() {
    stop "$app"
}

placement_case "top tray, scale 1" 1280 800 1 top right
close_case
placement_case "bottom tray, scale 1" 1280 800 1 bottom right
# The content shrinks and grows while the panel is open: its bottom edge, next to the icon, stays.
wait_for 3 panel_shown
bottom=$(bottom_of_panel)
tall=$(height_of_panel)
xdotool key Tab Tab space # the euro as amount currency: the emphasised euro row goes
check "bottom tray: the content shrinks, the window follows" wait_for 3 height_is $((tall - 16))
check "bottom tray: and its bottom edge stays over the icon" test "$(bottom_of_panel)" -eq "$bottom"
xdotool key Tab space # the baht again
check "bottom tray: the content grows back" wait_for 3 height_is "$tall"
check "bottom tray: and its bottom edge still stays" test "$(bottom_of_panel)" -eq "$bottom"
close_case
placement_case "right-hand tray, icon at its lower end" 1280 800 1 right right
close_case
placement_case "top tray, 1366×768 at scale 1.5" 1366 768 1.5 top right
picture() { # name: the whole screen as a PNG into $E2E_PICTURES, for a person to look at
    [ -n "${E2E_PICTURES:-}" ] && mkdir -p "$E2E_PICTURES" &&
        screen save "$E2E_PICTURES/$1.png" 0 0 "$screen_width" "$screen_height"
}
picture scale-1.5
close_case
placement_case "bottom tray, 1280×800 at scale 2" 1280 800 2 bottom right
xdotool type --delay 40 '12*3'
xdotool key Return ctrl+c
check "scale 2: a calculation typed into the scrolled panel reaches it (36 ฿ copied as 0,91 €)" \
    wait_for 3 logged "Kopiert: 0,91 EUR"
picture scale-2
close_case

if [ "$failed" -ne 0 ]; then
    for f in "$work"/home*/state/Velmora.log; do echo "--- $f"; cat "$f"; done
fi
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
