#!/usr/bin/env bash
# The installed tree as a user meets it: installs the build into a temporary prefix,
# moves it to another one (nothing may depend on where it was installed), checks the
# layout, makes it read-only and runs the installed programs as a user who cannot write
# to it (as root: the user "nobody"), each case below with its expected exit code and
# output. The desktop program is started in-process from the installed files by
# installed_program_qtest (English, then Chinese through the user's own Program.ini).
#
# Usage: scripts/check-install.sh BUILD_DIR INSTALLED_PROGRAM_QTEST
# Exits 1 on the first case that fails, after saying which and why.
set -euo pipefail

build=$(realpath "$1")
qtest=$(realpath "$2")
source=$(realpath "$(dirname "$0")/..")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

scratch=$(mktemp -d)
cleanup() {
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
chmod 755 "$scratch"

failures=0
problem() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$scratch/first" --strip >/dev/null
mv "$scratch/first" "$scratch/prefix"
prefix=$scratch/prefix

# The layout a distribution expects.
for f in bin/qx260 bin/qx260-cli bin/qx260-radio-sim \
    lib/qx260/English.so lib/qx260/Chinese.so \
    share/qx260/Program.ini share/qx260/title.ico share/qx260/background.bmp \
    share/doc/qx260/copyright share/doc/qx260/LICENSE share/doc/qx260/README.md \
    share/doc/qx260/changelog.gz share/doc-base/qx260-manual \
    share/qx260/manual/topics.txt share/qx260/manual/en/index.html share/qx260/manual/zh/index.html \
    share/doc/qx260/manual/en/index.html \
    share/applications/org.qx260.qx260.desktop share/metainfo/org.qx260.qx260.metainfo.xml \
    share/mime/packages/org.qx260.qx260.xml \
    share/icons/hicolor/scalable/apps/org.qx260.qx260.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-qx260-document.svg \
    share/icons/hicolor/16x16/apps/org.qx260.qx260.png share/icons/hicolor/48x48/apps/org.qx260.qx260.png \
    share/icons/hicolor/256x256/apps/org.qx260.qx260.png \
    share/man/man1/qx260.1.gz share/man/man1/qx260-cli.1.gz share/man/man1/qx260-radio-sim.1.gz; do
    [ -f "$prefix/$f" ] || problem "$f is not installed"
done
# Nothing installed points back into the build or the sources.
if found=$(grep -rlF "$source" "$prefix"); then
    problem "installed files name the source or build folder $source: $found"
fi
for program in "$prefix"/bin/* "$prefix"/lib/qx260/*; do
    if readelf -d "$program" | grep -qE 'RPATH|RUNPATH'; then
        problem "$program carries a library search path"
    fi
done

chmod -R a-w "$prefix"

# The user: one who cannot write to the tree, with a home of their own.
home=$scratch/home
mkdir -p "$home/work" "$home/runtime"
chmod 700 "$home/runtime"
as_user=(env -u QX260_SETTINGS HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime"
    QT_QPA_PLATFORM=offscreen PATH="$prefix/bin:/usr/bin:/bin")
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
fi
run() { (cd "$home/work" && "${as_user[@]}" "$@"); }

# expected exit code | text the output must hold | command (run in the user's folder)
cases=$(
    cat <<CASES
0|qx260-cli $version|qx260-cli --version
0|qx260 $version|qx260 --version
0|qx260-radio-sim $version|qx260-radio-sim --version
0|Usage: qx260 |qx260 --help
0|Usage: qx260-cli |qx260-cli --help
0||qx260-cli new radio.dat
0|Band:        130 - 160MHz|qx260-cli show radio.dat
0||qx260-cli set radio.dat 1 "Rx Frequency=145.125" W/N=Narrow
0| 1  145.12500 |qx260-cli show radio.dat
1|is outside the band 130|qx260-cli set radio.dat 2 "Rx Frequency=200"
1|The band is empty: no Program.ini was found|cp "\$(command -v qx260-cli)" lone && ./lone set radio.dat 2 "Rx Frequency=145.5"
0|COM1 |qx260-cli ports
CASES
)
while IFS='|' read -r code text command; do
    set +e
    output=$(run bash -c "$command" 2>&1)
    got=$?
    set -e
    if [ "$got" != "$code" ]; then
        problem "$command: exit code $got, expected $code; it said: $output"
    elif [ -n "$text" ] && [[ $output != *"$text"* ]]; then
        problem "$command: no \"$text\" in what it said: $output"
    else
        echo "ok: $command"
    fi
done <<<"$cases"

# The desktop program itself starts from the installed tree and stays up (the time-out
# ends it); the user's own Program.ini is made only when the user chooses a language.
set +e
run timeout 5 qx260 >"$scratch/qx260.log" 2>&1
got=$?
set -e
if [ "$got" != 124 ]; then
    problem "qx260 ended by itself (exit code $got): $(cat "$scratch/qx260.log")"
elif [ -e "$home/.config/qx260/Program.ini" ]; then
    problem "qx260 made a Program.ini in $home/.config/qx260/ with nothing chosen"
else
    echo "ok: qx260 starts from the shipped Program.ini"
fi
# Its --help speaks the language of the user's own file, which holds only that choice.
run mkdir -p "$home/.config/qx260"
run qx260-cli config set "$home/.config/qx260/Program.ini" Setup Language Chinese
if [[ $(run qx260 --help) != "用法：qx260 "* ]]; then
    problem "qx260 --help does not follow the user's Program.ini: $(run qx260 --help 2>&1 | head -2)"
else
    echo "ok: qx260 --help in the user's language"
fi

# English, then Chinese through the user's copy, in-process from the installed files.
rm -rf "$home/.config"
if ! run env QX260_INSTALLED_PREFIX="$prefix" "$qtest" >"$scratch/qtest.log" 2>&1 ||
    ! grep -q "^Totals: [1-9][0-9]* passed, 0 failed, 0 skipped" "$scratch/qtest.log"; then
    problem "the desktop program from the installed tree: $(cat "$scratch/qtest.log")"
else
    echo "ok: the desktop program starts in English and switches to Chinese ($(grep ^Totals: "$scratch/qtest.log"))"
fi

if [ "$failures" -ne 0 ]; then
    echo "install check: $failures problem(s)" >&2
    exit 1
fi
echo "install check: the installed tree works read-only from $prefix"
