#!/usr/bin/env bash
# A soak of healthy transfers on a busy machine: four simulated radios paced like a 9600-baud
# line, a processor hog beside them, and qx260-cli reading and writing all four radios at
# once, round after round, until N transfers have run. Rounds take turns: a write of one of
# two documents, then a read that must give back exactly what was written (the first round
# reads what the radios hold to begin with). Any transfer that fails, or reads back anything
# else, fails the soak; it goes on to the end and names each failure on stderr, keeping what
# the program said, its record of the line and the radio's own record of the exchange in a
# folder it names. The last line sums it up.
#
# Usage: scripts/soak.sh N [BUILD_DIR]      (BUILD_DIR: build, beside this folder, by default)
# QX260_SOAK_HOGS sets the number of hogs (default 1). One per core leaves the machine no
# idle time at all; on a virtual machine whose host then holds its processors back for
# hundreds of milliseconds at a time, every program on it (the simulated radios too) stalls
# past the protocol's 140 ms windows, which says nothing about the programs.
set -euo pipefail

usage() {
    echo "Usage: scripts/soak.sh N [BUILD_DIR]" >&2
    exit 64
}
if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
[[ "$1" =~ ^[1-9][0-9]*$ ]] || usage
total=$1
source=$(realpath "$(dirname "$0")/..")
bin=$(realpath "${2:-$source/build}")/bin
for program in qx260-cli qx260-radio-sim; do
    [ -x "$bin/$program" ] || {
        echo "soak: $bin/$program is not built" >&2
        exit 1
    }
done

radios=4
hogs=${QX260_SOAK_HOGS:-1}
[[ "$hogs" =~ ^[0-9]+$ ]] || usage
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# The programs run from a copy, so that a build during a long soak cannot pull them away.
mkdir "$scratch/bin"
for file in qx260-cli qx260-radio-sim Program.ini English.so Chinese.so; do
    [ ! -e "$bin/$file" ] || cp -p "$bin/$file" "$scratch/bin/"
done
bin=$scratch/bin

# The radios, each on its own pseudo-terminal.
devices=()
for ((k = 0; k < radios; ++k)); do
    "$bin/qx260-radio-sim" --pace 9600 --log "$scratch/radio$k.log" >"$scratch/radio$k.device" \
        2>"$scratch/radio$k.err" &
    pids+=($!)
done
for ((k = 0; k < radios; ++k)); do
    for ((tries = 0; tries < 100; ++tries)); do
        [ -s "$scratch/radio$k.device" ] && break
        sleep 0.05
    done
    device=$(head -n 1 "$scratch/radio$k.device")
    [ -n "$device" ] || {
        echo "soak: qx260-radio-sim did not start: $(cat "$scratch/radio$k.err")" >&2
        exit 1
    }
    devices+=("$device")
done

# The hogs: busy loops at the priority of ordinary work.
for ((h = 0; h < hogs; ++h)); do
    (while :; do :; done) &
    pids+=($!)
done

"$bin/qx260-cli" new "$scratch/new.dat" >/dev/null
# The first bytes of a document are its header; the radio holds the 816 bytes after them.
same_memory() {
    cmp -s -i 16:16 -n 816 "$1" "$2"
}

# What a failed transfer leaves for its diagnosis: the program's messages and record of the
# line, and the end of the radio's record (the transfer was its last exchange).
kept=""
keep() { # NAME OUT RADIO
    if [ -z "$kept" ]; then
        kept=$(mktemp -d "${TMPDIR:-/tmp}/qx260-soak-failures.XXXXXX")
    fi
    cp "$2.err" "$kept/$1.err" 2>/dev/null || true
    cp "$2.log" "$kept/$1.program.log" 2>/dev/null || true
    tail -n 600 "$scratch/radio$3.log" >"$kept/$1.radio.log" 2>/dev/null || true
    echo "soak: kept in $kept/$1.*" >&2
}

failures=0
reads=0
writes=0
done_count=0
round=0
written=""
started=$SECONDS
while ((done_count < total)); do
    if ((round % 2 == 0)); then kind="read"; else kind="write"; fi
    # Writes take turns between a new document and what the radios held at the start.
    if [ "$kind" = write ]; then
        if ((round % 4 == 1)); then written="$scratch/new.dat"; else written="$scratch/start.dat"; fi
    fi
    jobs_pids=()
    for ((k = 0; k < radios && done_count < total; ++k)); do
        out="$scratch/r$round-$k"
        if [ "$kind" = read ]; then
            timeout 120 "$bin/qx260-cli" read --port "${devices[$k]}" -o "$out.dat" --quiet --log "$out.log" \
                2>"$out.err" &
        else
            timeout 120 "$bin/qx260-cli" write --port "${devices[$k]}" "$written" --quiet --log "$out.log" \
                2>"$out.err" &
        fi
        jobs_pids+=("$!:$k")
        done_count=$((done_count + 1))
    done
    for entry in "${jobs_pids[@]}"; do
        pid=${entry%%:*}
        k=${entry##*:}
        out="$scratch/r$round-$k"
        status=0
        wait "$pid" || status=$?
        if [ "$kind" = read ]; then reads=$((reads + 1)); else writes=$((writes + 1)); fi
        if ((status != 0)); then
            failures=$((failures + 1))
            echo "soak: $kind $((round * radios + k + 1)) on radio $((k + 1)) failed ($status): $(tr '\n' ' ' <"$out.err")" >&2
            keep "$kind-$((round * radios + k + 1))" "$out" "$k"
        elif [ "$kind" = read ]; then
            if [ -z "$written" ]; then
                [ -e "$scratch/start.dat" ] || cp "$out.dat" "$scratch/start.dat"
                expected="$scratch/start.dat"
            else
                expected=$written
            fi
            if ! same_memory "$out.dat" "$expected"; then
                failures=$((failures + 1))
                echo "soak: read $((round * radios + k + 1)) on radio $((k + 1)) gave other bytes than $(basename "$expected")" >&2
                keep "read-$((round * radios + k + 1))" "$out" "$k"
                cp "$out.dat" "$kept/read-$((round * radios + k + 1)).dat"
            fi
        fi
        rm -f "$out.dat" "$out.err" "$out.log"
    done
    round=$((round + 1))
done

for ((k = 0; k < radios; ++k)); do
    kill -0 "${pids[$k]}" 2>/dev/null || {
        failures=$((failures + 1))
        echo "soak: the simulated radio $((k + 1)) ended early: $(cat "$scratch/radio$k.err")" >&2
    }
done

echo "soak: $total transfers ($reads reads, $writes writes) on $radios radios at once beside $hogs processor hog(s) in $((SECONDS - started)) s: $failures failed"
((failures == 0))
