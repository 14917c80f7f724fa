#!/usr/bin/env bash
# The Debian package as a machine gets it: makes it with cpack -G DEB in the build folder,
# checks it with lintian (no error, no warning), validates its desktop entry and metainfo,
# installs it with dpkg -i, asks the desktop's MIME database what a document, a text file
# and random bytes named *.dat are, runs the programs from /usr/bin as a user would, and
# removes it with dpkg -r, checking that none of its files stays behind.
#
# Needs root, and changes the machine while it runs (the package is removed again on
# every way out). It refuses to touch a qx260 package that was installed before.
#
# Usage: scripts/check-deb.sh [BUILD_DIR]   (default: build/ beside this folder)
set -euo pipefail

build=$(realpath "${1:-$(dirname "$0")/../build}")
if [ "$(id -u)" -ne 0 ]; then
    echo "check-deb: needs root (dpkg -i and dpkg -r)" >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' qx260 2>/dev/null | grep -q installed; then
    echo "check-deb: a qx260 package is installed already; remove it first (dpkg -r qx260)" >&2
    exit 1
fi

scratch=$(mktemp -d)
installed=false
cleanup() {
    if $installed; then dpkg_retry -P qx260 >/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
chmod 755 "$scratch"

# dpkg refuses at once while another dpkg or apt runs; wait for it a while.
dpkg_retry() {
    local tries=0
    until dpkg "$@" 2>"$scratch/dpkg.err"; do
        if grep -q "lock" "$scratch/dpkg.err" && [ $((tries += 1)) -lt 60 ]; then
            sleep 2
            continue
        fi
        cat "$scratch/dpkg.err" >&2
        return 1
    done
}

step() { echo "+ $*"; }

(cd "$build" && cpack -G DEB >"$scratch/cpack.log") || {
    cat "$scratch/cpack.log" >&2
    exit 1
}
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$scratch/cpack.log")
step "cpack -G DEB: $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends

step lintian -EvIL +pedantic "$(basename "$deb")"
lintian -EvIL +pedantic "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
if grep -qE '^[EW]: ' "$scratch/lintian.log"; then
    echo "check-deb: lintian reports errors or warnings (above)" >&2
    exit 1
fi

dpkg-deb -x "$deb" "$scratch/tree"
step desktop-file-validate usr/share/applications/org.qx260.qx260.desktop
out=$(desktop-file-validate "$scratch/tree/usr/share/applications/org.qx260.qx260.desktop" 2>&1)
[ -z "$out" ] || { echo "$out" >&2; exit 1; }
step appstreamcli validate --no-net usr/share/metainfo/org.qx260.qx260.metainfo.xml
appstreamcli validate --no-net "$scratch/tree/usr/share/metainfo/org.qx260.qx260.metainfo.xml"

step dpkg -i "$(basename "$deb")"
installed=true
dpkg_retry -i "$deb"
dpkg-query -L qx260 >"$scratch/files"

# The programs from /usr/bin, by a user without write access anywhere but a home.
home=$scratch/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
chown -R nobody:nogroup "$home"
as_user() {
    (cd "$home" && setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -u QX260_SETTINGS HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
        QT_QPA_PLATFORM=offscreen PATH=/usr/bin:/bin "$@")
}
for command in "qx260 --version" "qx260-cli --version" "qx260-radio-sim --version" \
    "qx260-cli new radio.dat" "qx260-cli set radio.dat 1 Rx\\ Frequency=145.125" "qx260-cli show radio.dat"; do
    step "$command"
    as_user bash -c "$command" | head -9
done
# Documents are told by their first bytes, not by the name every kind of file may have.
head -c 1040 /dev/urandom >"$scratch/random.dat"
echo "notes, not a radio document" >"$scratch/notes.dat"
cp "$home/radio.dat" "$scratch/document.dat"
for expected in "document.dat application/x-qx260-document" "notes.dat text/plain" \
    "random.dat application/octet-stream"; do
    set -- $expected
    step "xdg-mime query filetype $1"
    got=$(xdg-mime query filetype "$scratch/$1")
    echo "$got"
    if [ "$got" != "$2" ]; then
        echo "check-deb: $1 is taken for $got, not $2" >&2
        exit 1
    fi
done

step "timeout 5 qx260"
set +e
as_user timeout 5 qx260
got=$?
set -e
# It reads the shipped Program.ini; a user's own one is made only by a language choice.
if [ "$got" != 124 ] || [ -e "$home/.config/qx260/Program.ini" ]; then
    echo "check-deb: qx260 from /usr/bin did not stay up on the shipped Program.ini alone (exit code $got)" >&2
    exit 1
fi
echo "qx260 stayed up until the time-out and made no Program.ini of the user's"

step dpkg -r qx260
dpkg_retry -r qx260
if dpkg-query -W -f='${Status}' qx260 2>/dev/null | grep -q " installed"; then
    echo "check-deb: qx260 is still installed after dpkg -r" >&2
    exit 1
fi
left=$(while read -r f; do [ -f "$f" ] && echo "$f"; done <"$scratch/files" || true)
if [ -n "$left" ]; then
    echo "check-deb: files left after dpkg -r: $left" >&2
    exit 1
fi
# Whatever record dpkg keeps after the removal goes with a purge; no file of it is left.
step dpkg -P qx260
if dpkg-query -W qx260 >/dev/null 2>&1; then
    dpkg_retry -P qx260
fi
installed=false
if dpkg-query -W qx260 >/dev/null 2>&1; then
    echo "check-deb: dpkg still knows qx260 after dpkg -P" >&2
    exit 1
fi
echo "check-deb: the package installs, runs from /usr/bin and removes cleanly"
