#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real velmora binary on a virtual X server (without a tray, so its panel opens by
# itself in the middle of the screen) from damaged settings, caches, logs and autostart folders,
# kills it in the middle of its work, crashes it, and starts many at once.
#   tests/reliability/run.sh path/to/velmora
set -uo pipefail
velmora=$(readlink -f "${1:?usage: run.sh path/to/velmora}")
. "$(dirname "${BASH_SOURCE[0]}")/../lib/desktop.sh"

start_desktop || exit 1

conf() { printf '%s' "$1" >"$config/Velmora/Velmora.conf"; }
app=""
start_app() { # only what this start logs counts
    log_mark=$(cat "$log" 2>/dev/null | wc -l)
    session_env
    env "${session[@]}" "$velmora" >"$home/stdout.log" 2>&1 &
    app=$!
    track "$app"
}
stop_app() { kill -9 "$app" 2>/dev/null; wait "$app" 2>/dev/null; }
# It works: alive, its panel opened, and a second start reaches it and exits 0.
works() {
    wait_for 6 logged "Fenster sichtbar: true" || { echo "  no panel: $(tail -n3 "$log" 2>/dev/null)"; return 1; }
    alive "$app" || return 1
    run_velmora >/dev/null 2>&1 || return 1
    wait_for 3 logged "erneut ge" && alive "$app"
}
# Without a log to read, it still runs and answers a second start.
runs_without_log() {
    sleep 2.5
    alive "$app" && run_velmora >/dev/null 2>&1 && alive "$app"
}
cache=$cached_rates

# --- damaged settings
damaged_settings=(
    "truncated|[General]\nactiveCurrencies=EUR, USD\n${cache:0:60}"
    "binary garbage|$(head -c 3000 /dev/zero | tr '\0' '\377')\0\1\2[General\0x=\377\376"
    "wrong types|[General]\nactiveCurrencies=@Variant(\\\\0\\\\0\\\\0\\\\x7f\\\\0)\ntheme=@ByteArray(\\\\xff)\ncachedRates=42\n"
    "keys without values|[General]\nactiveCurrencies\ntheme=\ncachedRates=\n"
)
for entry in "${damaged_settings[@]}"; do
    name=${entry%%|*}
    new_home "$work/settings-${name// /-}"
    printf "${entry#*|}" >"$config/Velmora/Velmora.conf"
    start_app
    check "settings file $name: starts and works" works
    stop_app
done

for member in 'perEur\":\"many' 'perEur\":{\"THB\":\"x\"}' 'rateDate\":7' 'fetchedAt\":\"soon\"' \
    'source\":[1]' 'fetchedAt\":1e400' 'perEur\":null'; do
    new_home "$work/cache-$(printf '%s' "$member" | tr -c 'a-zA-Z0-9' '-')"
    key=${member%%\\*}
    damaged=$(printf '%s' "$cache" | sed -E "s/${key}\\\\\":(\\{[^}]*\\}|[^,}]*)/${member//\//\\/}/")
    conf "[General]"$'\n'"activeCurrencies=EUR, THB"$'\n'"$damaged"$'\n'
    start_app
    check "cache with damaged $key ($member): starts and works" works
    stop_app
done

new_home "$work/cache-quotedAt"
conf "[General]"$'\n'"activeCurrencies=EUR, THB"$'\n'"${cache/FloatRates\\\"/FloatRates\\\",\\\"quotedAt\\\":\\\"gestern\\\"}"$'\n'
start_app
check "cache with a quotedAt that is a string: starts and works" works
stop_app

new_home "$work/settings-unwritable"
rm -rf "$config" && printf 'not a folder' >"$config"
start_app
check "settings folder impossible to create: starts and works" works
stop_app

new_home "$work/settings-is-a-folder"
mkdir -p "$config/Velmora/Velmora.conf"
start_app
check "settings file is a folder: starts and works" works
stop_app

# --- damaged log places
new_home "$work/log-unwritable"
rm -rf "$state" && printf 'not a folder' >"$state"
start_app
check "log folder impossible to create: runs and answers a second start" runs_without_log
stop_app

new_home "$work/log-is-a-folder"
mkdir -p "$log"
start_app
check "log file is a folder: runs and answers a second start" runs_without_log
stop_app

# --- autostart folder that cannot be written: tick the check box all the same
new_home "$work/autostart-unwritable"
printf 'not a folder' >"$config/autostart"
start_app
check "autostart folder impossible: the panel opens" wait_for 6 logged "Fenster sichtbar: true"
sleep 0.5
ticked_and_works() {
    click_control "Beim Anmelden starten" "$app" || return 1
    sleep 1
    works
}
check "autostart folder impossible: ticking the box does no harm" ticked_and_works
stop_app

# --- a settings change survives SIGKILL right after it
new_home "$work/sigkill"
start_app
check "fresh home: starts and works" works
click_control USD "$app" "check box"
wait_for 3 logged "Währungen: EUR, USD, THB"
kill -9 "$app"
check "the currency change was logged before the kill" logged "Währungen: EUR, USD, THB"
wait "$app" 2>/dev/null
check "the change is in the settings file after SIGKILL" \
    grep -qE '^activeCurrencies=EUR, USD, THB$' "$config/Velmora/Velmora.conf"
start_app
check "a start right after SIGKILL works" works
check "the new run counts three currencies" bash -c "grep -F 'Fenster sichtbar' '$log' | tail -n1 | grep -q ', $panel_width.0, 3[0-9][0-9].0)'"
stop_app

# --- real fatal signals leave their record and end the process by that signal
for sig in SEGV ABRT; do
    new_home "$work/signal-$sig"
    start_app
    wait_for 6 logged "Fenster sichtbar: true"
    kill -"$sig" "$app"
    wait "$app"
    status=$?
    check "SIG$sig: the process ends by SIG$sig" test "$status" -eq $((128 + $(kill -l "$sig")))
    check "SIG$sig: the log holds the crash record with a call stack" bash -c \
        "grep -qF 'ABSTURZ (Signal $(kill -l "$sig"))' '$log' && \
         test \$(sed -n '/ABSTURZ (Signal/,\$p' '$log' | grep -c '\\[0x') -ge 3"
done

# --- memory under a feed whose reply never ends. The test build asks 127.0.0.1:9 for both feeds,
# a port only root may serve. Peak resident memory (VmHWM) of a run whose feeds refuse, against
# one whose feeds send for ever: each refresh stops at the 1 MiB limit, and the read buffer keeps
# Qt from holding more of the reply than that.
peak_kib() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }
peak_after_refreshes() { # the program's peak after its start-up refresh and the one at opening
    new_home "$work/memory-$1"
    printf '[General]\nactiveCurrencies=EUR, THB\n%s\n' "$cached_rates" >"$config/Velmora/Velmora.conf"
    start_app
    wait_for 8 logged "Fenster sichtbar: true"
    sleep 6
    peak_kib "$app"
    stop_app
}
if [ "$(id -u)" -eq 0 ]; then
    quiet_peak=$(peak_after_refreshes refused)
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/../lib/endless_server.py" 9 >"$work/endless.log" 2>&1 &
    endless=$!
    track "$endless"
    wait_for 5 bash -c "exec 3<>/dev/tcp/127.0.0.1/9" 2>/dev/null
    endless_peak=$(peak_after_refreshes endless)
    stop "$endless"
    echo "# peak resident memory: feeds refused $((quiet_peak / 1024)) MiB, feeds that never end $((endless_peak / 1024)) MiB"
    check "a reply that never ends costs at most 10 MiB more ($(((endless_peak - quiet_peak) / 1024)) MiB)" \
        test $((endless_peak - quiet_peak)) -le 10240
else
    echo "skip - serving the test build's feed port 9 needs root"
fi

# --- ten starts at once: one keeps running, nine exit 0
new_home "$work/ten"
pids=()
session_env
for i in $(seq 10); do
    env "${session[@]}" "$velmora" >"$home/start$i.log" 2>&1 &
    pids+=($!)
    track $!
done
sleep 5
exited=0
zero=0
running=()
for pid in "${pids[@]}"; do
    if alive "$pid"; then
        running+=("$pid")
    else
        wait "$pid"
        st=$?
        exited=$((exited + 1))
        [ "$st" -eq 0 ] && zero=$((zero + 1))
    fi
done
check "ten simultaneous starts leave exactly one running" test "${#running[@]}" -eq 1
check "the nine others exit with 0" test "$exited" -eq 9 -a "$zero" -eq 9
check "exactly one start was logged" test "$(grep -c 'Start, Version' "$log")" -eq 1
for pid in "${running[@]}"; do kill -9 "$pid"; done

if [ "$failed" -ne 0 ]; then
    for f in "$work"/*/state/Velmora.log; do [ -f "$f" ] && { echo "--- $f"; tail -n 20 "$f"; }; done
fi
echo "reliability: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
