# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the scripts that build Velmora:
#   . "$(dirname "${BASH_SOURCE[0]}")/lib/build.sh"
# It gives them the tree ($root), the number of jobs ($build_jobs), the test builds' feeds and
# the one way they all configure and build.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_jobs=$(nproc)
# The tests never reach the real feeds: a test build points both at a closed local port.
# shellcheck disable=SC2034 # for the scripts
test_feeds=(-DVELMORA_PRIMARY_URL=http://127.0.0.1:9 -DVELMORA_FALLBACK_URL=http://127.0.0.1:9)

build_tree() { # folder under the tree, cmake options... [-- targets...]: configured with Ninja, built
    local dir="$root/$1" options=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    [ $# -gt 0 ] && set -- --target "$@"
    cmake -S "$root" -B "$dir" -G Ninja "${options[@]}" && cmake --build "$dir" --parallel "$build_jobs" "$@"
}
