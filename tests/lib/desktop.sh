# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the scripts that check or drive the real velmora on a virtual X server:
#   . "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"
# It gives them a scratch folder ($work), the "ok - name" checks and their counts, waiting,
# the desktop (Xvfb, openbox, trayer, a D-Bus session bus with the accessibility bus), a home of
# its own for each run of the program, the frames the program logs, clicks on its controls found by
# their accessible names, the tray item as the host's watcher lists it, and what the screen shows.
# Every process started through it is recorded by pid and stopped by that pid when the script
# exits; nothing is ever stopped by its name.

desktop_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
passed=0
failed=0
started=()
exit_steps=()
screen_width=1280
screen_height=800
accessibility=""
# Nothing here may reach the session of whoever runs the tests: a bus of our own comes from
# start_session_bus, and the accessibility bus is found through it.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

check() { # name, then a command that must succeed; fails as the command did
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok - $name"
    else
        failed=$((failed + 1))
        echo "not ok - $name"
        return 1
    fi
}

wait_for() { # seconds, then a command; true as soon as the command succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}

# --- processes, by pid only
parent_of() { # pid: its parent's pid (the command name in stat may hold spaces)
    local stat fields
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    read -ra fields <<<"${stat##*) }"
    echo "${fields[1]}"
}
running() { # pid: exists and is not a zombie
    local stat
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    stat=${stat##*) }
    [ "${stat%% *}" != Z ]
}
alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! running "$1"; }
descendants() { # pid: the pids of its children, theirs, and so on
    local file stat fields
    for file in /proc/[0-9]*/stat; do
        { read -r stat <"$file"; } 2>/dev/null || continue
        read -ra fields <<<"${stat##*) }"
        echo "${file//[^0-9]/} ${fields[1]}"
    done | awk -v root="$1" '{ kids[$2] = kids[$2] " " $1 }
        END { todo = root; while (todo != "") { split(todo, now, " "); todo = ""
              for (i in now) { n = split(kids[now[i]], k, " "); for (j = 1; j <= n; j++) { print k[j]; todo = todo " " k[j] } } } }'
}
track() { started+=("$1"); } # pid of a process this shell started in the background
stop() { # pid [signal]: ends a process this shell started, and what it started in turn
    local pid=$1 signal=${2:-TERM} kids kid
    # A pid that is no longer our child has ended already, and the number may be another's now.
    # ($BASHPID, not $$: a subshell that started a process stops it too.)
    [ "$(parent_of "$pid")" = "$BASHPID" ] || return 0
    kids=$(descendants "$pid")
    kill -"$signal" "$pid" 2>/dev/null || true
    wait_for 3 gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    for kid in $kids; do running "$kid" && { kill -TERM "$kid" 2>/dev/null || true; }; done
    for kid in $kids; do wait_for 2 gone "$kid" || kill -KILL "$kid" 2>/dev/null || true; done
    return 0
}
stop_started_since() { # index into started: stops what was started from there on, newest first
    local i
    for ((i = ${#started[@]} - 1; i >= $1; i--)); do stop "${started[i]}"; done
    started=("${started[@]:0:$1}")
}
at_exit() { exit_steps+=("$1"); } # a command for the end, after every process is stopped
desktop_cleanup() {
    local i step
    trap - EXIT INT TERM HUP
    set +e
    # Newest first: the programs before their tray host and bus, the X server last.
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do stop "${started[i]}"; done
    for step in "${exit_steps[@]}"; do eval "$step"; done
    rm -rf "$work"
}
trap desktop_cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# --- the desktop
# Window manager, tray host, buses and the helpers get a home of their own as well, so that a
# developer's own openbox or D-Bus configuration plays no part and nothing is written there.
new_desktop_home() { # made afresh, for a desktop that must not find the last one's settings
    rm -rf "$work/desktop"
    mkdir -p "$work/desktop/config" "$work/desktop/cache" "$work/desktop/data" "$work/desktop/runtime"
    chmod 700 "$work/desktop/runtime"
}
new_desktop_home
desktop_env=(HOME="$work/desktop" XDG_CONFIG_HOME="$work/desktop/config" XDG_CACHE_HOME="$work/desktop/cache"
    XDG_DATA_HOME="$work/desktop/data" XDG_RUNTIME_DIR="$work/desktop/runtime")

xvfb_pid=""
# -noreset: a server that resets each time its last client leaves refuses whoever connects in that
# moment (a window manager starting while xprop asks whether it is up, now and then).
start_xvfb() { # exports DISPLAY
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp -noreset \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    track "$xvfb_pid"
    wait_for 10 test -s "$work/display" || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; return 1; }
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
    # Taking the place of a server just stopped, it can name its display before clients reach it.
    wait_for 10 xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY takes no clients:"; cat "$work/xvfb.log"; return 1; }
}

window_manager_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
openbox_pid=""
start_openbox() {
    env "${desktop_env[@]}" openbox >"$work/openbox.log" 2>&1 &
    openbox_pid=$!
    track "$openbox_pid"
    wait_for 10 window_manager_ready && running "$openbox_pid" ||
        { echo "openbox did not start:"; cat "$work/openbox.log"; return 1; }
}

tray_pid=""
start_tray() { # [edge [align]]: an XEmbed tray host, at the top right unless told; its pid in $tray_pid
    env "${desktop_env[@]}" trayer --edge "${1:-top}" --align "${2:-right}" --widthtype request --height 24 \
        --SetDockType true --SetPartialStrut true --transparent false >>"$work/trayer.log" 2>&1 &
    tray_pid=$!
    track "$tray_pid"
}
stop_tray() {
    [ -n "$tray_pid" ] && stop "$tray_pid"
    tray_pid=""
}

# Who runs the buses and asks them: this shell's user, unless a script that must not run its
# desktop as root calls run_unprivileged first (sway refuses root).
user_command=()
run_unprivileged() { # as root: the buses, and what the script runs through as_user, run as nobody
    [ "$(id -u)" -eq 0 ] || return 0
    user_command=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chmod 755 "$work"
    user_chown "$work/desktop"
}
as_user() { "${user_command[@]}" "$@"; }
user_chown() { [ ${#user_command[@]} -eq 0 ] || chown -R nobody:nogroup "$@"; }

bus_call() { # bus address, destination, object, method, arguments...: dbus-send's literal reply
    local bus=$1 dest=$2 object=$3 method=$4
    shift 4
    "${user_command[@]}" dbus-send --bus="$bus" --print-reply=literal --reply-timeout=2000 --dest="$dest" "$object" "$method" "$@" 2>/dev/null
}
name_owned() { # bus address, well-known name
    bus_call "$1" org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$2" |
        grep -q true
}

# Whether a watcher's list of items (RegisteredStatusNotifierItems as dbus-send prints it) holds
# an item: by any of the names given (the program registers by its connection's unique name),
# alone or followed by its object's path, "/…" or, as GNOME's extension writes it, "@/…".
lists_item() { # list, name...
    local list=$1 name
    shift
    for name in "$@"; do
        [ -n "$name" ] && grep -qE "(^|[[:space:]])${name//./\\.}(@?/[^[:space:]]*)?([[:space:]]|\$)" <<<"$list" && return 0
    done
    return 1
}
name_owner() { # bus address, well-known name: the unique name of its owner
    bus_call "$1" org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner "string:$2" | tr -d ' '
}

# --- the program's tray item $item (its well-known name) and the session bus's watcher
watcher_get() { # property of the watcher
    bus_call "$DBUS_SESSION_BUS_ADDRESS" org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1"
}
host_registered() { watcher_get IsStatusNotifierHostRegistered | grep -q true; }
item=""
item_registered() {
    lists_item "$(watcher_get RegisteredStatusNotifierItems)" "$item" "$(name_owner "$DBUS_SESSION_BUS_ADDRESS" "$item")"
}
item_get() { # property
    bus_call "$DBUS_SESSION_BUS_ADDRESS" "$item" /StatusNotifierItem \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem "string:$1"
}
# As the cached rates of settings_with_rates give it.
tooltip_has_rate() { item_get ToolTip | tr -d '\n' | grep -q $'Velmora.*1 \342\202\254 = 39,50 \340\270\277'; }

# A StatusNotifierItem host with its own watcher, along the top. gtk-sni-tray-standalone now and
# then dies as it starts (about 1 start in 8 here): its host asks its own watcher before the
# watcher's object is on the bus ("UnknownObject", exit 1). Such a start is tried again.
sni_host_ready() { running "$sni_host" && host_registered; }
start_sni_host() { # log file; the host's pid in $sni_host
    local attempt
    for attempt in 1 2 3; do
        env "${desktop_env[@]}" gtk-sni-tray-standalone --watcher --top --end --size 24 >>"$1" 2>&1 &
        sni_host=$!
        track "$sni_host"
        # Still there a moment after its host registered: past the point where it dies.
        if wait_for 10 sni_host_ready && sleep 0.5 && sni_host_ready; then
            return 0
        fi
        echo "# the StatusNotifierItem host did not come up (start $attempt), trying again"
        stop "$sni_host"
    done
    return 1
}

start_bus() { # name: a bus daemon with a session bus's rules; its address in $bus_address
    rm -rf "${work:?}/$1" "$work/$1-address" && mkdir -p "$work/$1" && user_chown "$work/$1"
    "${user_command[@]}" env "${desktop_env[@]}" dbus-daemon --session --nofork --nopidfile \
        --address="unix:dir=$work/$1" --print-address=3 3>"$work/$1-address" >"$work/$1.log" 2>&1 &
    track $!
    wait_for 10 test -s "$work/$1-address" || { echo "dbus-daemon in $work/$1 did not start:"; cat "$work/$1.log"; return 1; }
    bus_address=$(head -n1 "$work/$1-address")
}
start_session_bus() { # exports DBUS_SESSION_BUS_ADDRESS
    start_bus bus || return 1
    DBUS_SESSION_BUS_ADDRESS=$bus_address
    export DBUS_SESSION_BUS_ADDRESS
}
# A stand-in for the system bus, with nothing on it: what a desktop asks there (logind, accounts,
# power) fails at once instead of waiting for a timeout, and the machine's own bus stays untouched.
start_system_bus() { # exports DBUS_SYSTEM_BUS_ADDRESS
    start_bus system-bus || return 1
    DBUS_SYSTEM_BUS_ADDRESS=$bus_address
    export DBUS_SYSTEM_BUS_ADDRESS
}
# What the session bus starts by activation gets the desktop's display, homes and these variables.
bus_activation_env() { # more variables to pass, as names or NAME=value
    env "${desktop_env[@]}" dbus-update-activation-environment DISPLAY HOME XDG_CONFIG_HOME XDG_CACHE_HOME \
        XDG_DATA_HOME XDG_RUNTIME_DIR "$@"
}

# The accessibility bus as a desktop session has it: at-spi-bus-launcher owns org.a11y.Bus on the
# session bus and runs the bus itself, the registry lists the applications on it. Both are
# started here rather than by D-Bus activation, which would leave them without a pid of ours.
a11y_bus=""
start_accessibility() {
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "the accessibility bus needs the session bus"; return 1; }
    env "${desktop_env[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi-bus.log" 2>&1 &
    track $!
    # Asking for the address before the launcher owns its name would activate a second one.
    wait_for 10 name_owned "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus ||
        { echo "at-spi-bus-launcher did not start:"; cat "$work/at-spi-bus.log"; return 1; }
    a11y_bus=$(bus_call "$DBUS_SESSION_BUS_ADDRESS" org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')
    [ -n "$a11y_bus" ] || { echo "the accessibility bus has no address"; return 1; }
    env "${desktop_env[@]}" AT_SPI_BUS_ADDRESS="$a11y_bus" /usr/libexec/at-spi2-registryd \
        >"$work/at-spi-registry.log" 2>&1 &
    track $!
    wait_for 10 name_owned "$a11y_bus" org.a11y.atspi.Registry ||
        { echo "at-spi2-registryd did not start:"; cat "$work/at-spi-registry.log"; return 1; }
    accessibility=1
}

# An X server of another size in place of the running one, with its window manager; the buses
# stay. The accessibility bus goes with the old server.
new_display() { # width height
    local attempt
    screen_width=$1
    screen_height=$2
    accessibility=""
    for attempt in 1 2 3; do
        stop_tray
        [ -n "$openbox_pid" ] && stop "$openbox_pid"
        [ -n "$xvfb_pid" ] && stop "$xvfb_pid"
        start_xvfb && start_openbox && return 0
        echo "# the X server or its window manager did not come up (start $attempt), trying again"
    done
    return 1
}

start_desktop() { # X server, window manager, session bus and accessibility bus; no tray host yet
    start_xvfb && start_openbox && start_session_bus && start_accessibility
}

# --- a home of its own for each run of the program
home=""
config=""
state=""
log=""
new_home() { # folder under $work: made afresh; sets home, config, state and log
    case $1 in
    "$work"/?*) ;;
    *) echo "new_home: $1 lies outside $work" >&2; return 1 ;;
    esac
    home=$1
    config="$home/config"
    state="$home/state"
    log="$state/Velmora.log"
    rm -rf "$home"
    mkdir -p "$config/Velmora" "$state" "$home/runtime"
    chmod 700 "$home/runtime"
    log_mark=0
}
# Rates as a previous run would have cached them, so that no run needs the feeds: the unit
# tests' sample record.
sample_rates=$(<"$desktop_lib/../fixtures/sample_rates.json")
cached_rates="cachedRates=\"@ByteArray(${sample_rates//\"/\\\"})\""
settings_with_rates() { # active currencies, e.g. "EUR, THB": the settings text
    printf '[General]\nactiveCurrencies=%s\n%s\n' "$1" "$cached_rates"
}
# env execs the program, so a background `env "${session[@]}" velmora &` leaves velmora's own pid
# in $! (a backgrounded shell function would leave a subshell's).
session_env() { # fills the array session for the current home
    : "${DBUS_SESSION_BUS_ADDRESS:?start_session_bus first}"
    # An X11 session, also when the tests run from a terminal of a Wayland one: with
    # WAYLAND_DISPLAY set the program would take its panel past the window manager.
    session=(-u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$config" XDG_STATE_HOME="$state"
        XDG_RUNTIME_DIR="$home/runtime" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" QT_QPA_PLATFORM=xcb)
    if [ -n "$accessibility" ]; then
        session+=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
    else
        session=(-u QT_LINUX_ACCESSIBILITY_ALWAYS_ON "${session[@]}")
    fi
}

# The program $velmora (set by the script) in the foreground, in the current home's session.
run_velmora() { # arguments...
    session_env
    env "${session[@]}" "${velmora:?the script names the program}" "$@"
}

# --- what the program logs
# Past the first $log_mark lines only: a script that starts the program again in the same home
# sets it to the log's length, so that an earlier run's lines cannot vouch for the new one.
log_mark=0
logged() { # text: in the log of the current home
    # grep reads to the end, so that tail never dies of a closed pipe.
    tail -n "+$((log_mark + 1))" "$log" 2>/dev/null | grep -F -- "$1" >/dev/null
}
frame_on_line() { # a log line: the whole numbers of its "Rahmen (x, y, w, h)"
    printf '%s\n' "$1" | sed -nE 's/.*Rahmen \(([-0-9.]+), ([-0-9.]+), ([-0-9.]+), ([-0-9.]+)\).*/\1 \2 \3 \4/p' |
        awk '{printf "%d %d %d %d\n", $1, $2, $3, $4}'
}
frame_of() { frame_on_line "$(grep -F -- "$1" "$log" | head -n1)"; } # on the first line with $1

# --- the program's controls, found by accessible name as a screen reader finds them
atspi() { # [--pid PID] find|tree|focused ...: see atspi.py
    [ -n "$a11y_bus" ] || { echo "no accessibility bus: start_accessibility first" >&2; return 1; }
    env "${desktop_env[@]}" AT_SPI_BUS_ADDRESS="$a11y_bus" /usr/bin/python3 "$desktop_lib/atspi.py" "$@"
}
control_extents() { # accessible name [pid of velmora [role]]: prints "x y w h" on the screen
    atspi ${2:+--pid "$2"} find ${3:+--role "$3"} -- "$1"
}
click_control() { # accessible name [pid of velmora [role]]: clicks the middle of that control
    local x y w h
    read -r x y w h < <(control_extents "$@") || return 1
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# --- what the screen shows
screen() { /usr/bin/python3 "$desktop_lib/screen.py" "$@"; } # pixel, span, box, grab, changed, save: see screen.py
# The panel's width in points, where a check is about its size.
# shellcheck disable=SC2034 # for the scripts
panel_width=543
# Both of the program's windows are named Velmora: the panel has the window role "panel", the
# tray icon's window none.
is_panel() { [ "$(xprop -id "$1" WM_WINDOW_ROLE 2>/dev/null)" = 'WM_WINDOW_ROLE(STRING) = "panel"' ]; }
panel_window() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null); do
        is_panel "$w" && { echo "$w"; return 0; }
    done
    return 1
}
window_geometry() { # window id: "x y w h" of it on the screen
    # (xwininfo without an id waits for a click on the window to describe)
    [ -n "$1" ] || return 1
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print x, y, w, h}'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
panel_shown() { local w; w=$(panel_window) && viewable "$w"; }
panel_hidden() { ! panel_shown; }
# What lies between two rectangles "x y w h" along the side where they face each other: the gap
# in pixels, negative when they overlap.
gap_between() {
    /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
ax, ay, aw, ah = map(int, sys.argv[1].split())
bx, by, bw, bh = map(int, sys.argv[2].split())
print(max(bx - (ax + aw), ax - (bx + bw), by - (ay + ah), ay - (by + bh)))
PY
}
inside_screen() { # "x y w h", margin in pixels
    local x y w h
    read -r x y w h <<<"$1"
    [ "$x" -ge "$2" ] && [ "$y" -ge "$2" ] && [ $((x + w)) -le $((screen_width - $2)) ] &&
        [ $((y + h)) -le $((screen_height - $2)) ]
}
color_near() { # "R G B" "R G B" tolerance
    local a b
    read -ra a <<<"$1"
    read -ra b <<<"$2"
    for i in 0 1 2; do
        [ $((a[i] > b[i] ? a[i] - b[i] : b[i] - a[i])) -le "$3" ] || return 1
    done
}

# --- the clipboard
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
set_clipboard() { # text: offered by an xclip in the foreground, which ends once another owner takes over
    printf '%s' "$1" >"$work/clipboard"
    xclip -quiet -selection clipboard -i "$work/clipboard" >>"$work/xclip.log" 2>&1 &
    track $!
    wait_for 3 clipboard_is "$1"
}
