#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests this tree in a fresh Debian of the given release, made with debootstrap from
# the mirror, as someone who cloned it there would: scripts/install-deps --test, the build with
# warnings as errors, ctest (the format check with that release's clang-format), the end-to-end
# test, and the package built there, checked and put under lintian there. The package is left in
# OUT_DIR for tests/package/fresh_debian.sh. Needs root (debootstrap, chroot) and the mirror.
#   tests/release/run.sh bookworm|trixie OUT_DIR
set -uo pipefail
release=${1:?usage: run.sh bookworm|trixie OUT_DIR}
out=${2:?usage: run.sh bookworm|trixie OUT_DIR}
tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "tests/release/run.sh must run as root (debootstrap, chroot)"; exit 2; }
for tool in debootstrap:debootstrap unshare:util-linux ip:iproute2; do
    command -v "${tool%%:*}" >/dev/null || apt-get install -y -qq --no-install-recommends "${tool#*:}"
done
. "$tree/tests/lib/desktop.sh"
. "$tree/tests/lib/chroot.sh"
. "$tree/scripts/lib/build.sh"

start=$SECONDS
took() { echo "# $1 after $((SECONDS - start)) s"; }
logged_run() { # log name, command...: the command's output kept in $work, its tail shown on failure
    local name=$1
    shift
    "$@" >"$work/$name.log" 2>&1 && return 0
    tail -n 30 "$work/$name.log" | sed "s/^/  $name: /"
    return 1
}
check "a minimal Debian $release from the mirror" fresh_root "$release" || exit 1
took "debootstrap"
mkdir -p "$target/src"
(cd "$tree" && tar --exclude=./.git --exclude='./build*' -cf - .) | tar -C "$target/src" -xf -
check "scripts/install-deps --test installs what the tests need" \
    logged_run install-deps in_target /src/scripts/install-deps --test --no-desktops || exit 1
took "the test dependencies"

# From here on nothing needs the network.
build() {
    offline_in_target cmake -S /src -B /src/build -G Ninja -DVELMORA_WERROR=ON "${test_feeds[@]}" &&
        offline_in_target cmake --build /src/build --parallel "$build_jobs"
}
check "the build with warnings as errors" logged_run build build || exit 1
echo "# $(grep -c 'warning:' "$work/build.log") compiler warnings"
took "the build"
if check "ctest" logged_run ctest offline_in_target ctest --test-dir /src/build --output-on-failure \
    --parallel "$build_jobs"; then
    grep -E '^[0-9]+% tests passed' "$work/ctest.log" | sed 's/^/# /'
fi
took "ctest"
offline_in_target /src/tests/e2e/run.sh /src/build/src/shell/velmora 2>&1 | sed 's/^/  /'
check "the end-to-end test" test "${PIPESTATUS[0]}" -eq 0
took "the end-to-end test"

rm -f "$target"/src/build/velmora_*.deb
check "cpack builds the package" logged_run cpack offline_in_target bash -c 'cd /src/build && cpack -G DEB' || exit 1
deb=$(cd "$target/src/build" && ls velmora_*.deb)
echo "# $deb: Depends: $(dpkg-deb -f "$target/src/build/$deb" Depends)"
check "the package check" logged_run package offline_in_target /src/tests/package/check.sh "/src/build/$deb"
grep -E '^package: ' "$work/package.log" | sed 's/^/# /'
# With the options scripts/test gives lintian for its release package; here on the test build's,
# which differs from it only in its version, its synopsis and the feeds compiled in.
lintian_says() {
    offline_in_target lintian --pedantic --display-info --display-experimental --fail-on error,warning \
        --allow-root "/src/build/$deb"
}
check "lintian finds no error and no warning" logged_run lintian lintian_says
[ -s "$work/lintian.log" ] && sed 's/^/# lintian: /' "$work/lintian.log"
mkdir -p "$out"
rm -f "$out"/velmora_*.deb
cp "$target/src/build/$deb" "$out/"
took "the package"

echo "Debian $release: $passed passed, $failed failed, $((SECONDS - start)) s"
[ "$failed" -eq 0 ]
