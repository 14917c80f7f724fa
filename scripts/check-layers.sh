#!/usr/bin/env bash
# The layer check: every include points down the house.
#
#   res/ < core/ < platform/ < windows/ < programs/ < bench/
#   core/:     config < radio < {channels, link} < settings < {print, compare}
#   windows/:  common < {view, settings} < frame
#   programs/: qx260, cli and radio-sim never include each other
#
# A file may include from its own folder, from a lower layer, and inside core/ and
# windows/ from a folder to its left; folders that stand side by side never include each
# other. A core file includes standard C++ headers only: no Qt, POSIX or Windows header,
# so that the core builds on any C++20 compiler.
#
# Usage: scripts/check-layers.sh [ROOT]   (ROOT: the source tree, default: this one)
#        scripts/check-layers.sh --self-test
# Prints each offending file and include, and exits 1 when there is one. The self-test
# runs the check on small trees that each hold one include, and fails when a verdict
# is not the expected one.
set -euo pipefail

if [ "${1:-}" = --self-test ]; then
    self=$(realpath "$0")
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    bad=0
    n=0
    # expected verdict | including file | include line
    while IFS='|' read -r verdict file include; do
        tree="$scratch/$((++n))"
        mkdir -p "$tree/core/config" "$tree/core/radio" "$tree/core/settings" "$tree/core/link" \
            "$tree/core/channels" "$tree/platform" "$tree/windows/view" "$tree/windows/frame" "$tree/res"
        for f in core/config/A.h core/radio/A.h core/settings/A.h core/link/A.h core/channels/A.h \
            platform/A.h windows/view/A.h windows/frame/A.h res/Ids.h; do
            : >"$tree/$f"
        done
        echo "$include" >>"$tree/$file"
        if "$self" "$tree" >/dev/null 2>&1; then got=pass; else got=fail; fi
        if [ "$got" != "$verdict" ]; then
            echo "self-test: $file with '$include' should $verdict the check" >&2
            bad=1
        fi
    done <<'CASES'
pass|core/radio/A.h|#include "core/config/A.h"
pass|core/radio/A.h|#include "res/Ids.h"
pass|core/radio/A.h|#include <vector>
pass|platform/A.h|#include <QString>
pass|windows/frame/A.h|#include "windows/view/A.h"
pass|core/settings/A.h|#include "A.h"
fail|core/config/A.h|#include "core/radio/A.h"
fail|core/link/A.h|#include "core/channels/A.h"
fail|core/radio/A.h|#include "platform/A.h"
fail|platform/A.h|#include "windows/view/A.h"
fail|windows/view/A.h|#include "windows/frame/A.h"
fail|res/Ids.h|#include "core/config/A.h"
fail|core/radio/A.h|#include <QString>
fail|core/radio/A.h|#include <unistd.h>
fail|core/radio/A.h|#include <windows.h>
CASES
    [ "$bad" -eq 0 ] && echo "layer check self-test: every verdict as expected"
    exit "$bad"
fi

root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root"

layer_rank() {
    case $1 in
    res) echo 0 ;; core) echo 1 ;; platform) echo 2 ;; windows) echo 3 ;;
    programs) echo 4 ;; bench) echo 5 ;; *) echo -1 ;;
    esac
}

# The rank of a folder inside its layer; folders of equal rank stand side by side.
folder_rank() {
    case $1/$2 in
    core/config) echo 0 ;; core/radio) echo 1 ;; core/channels | core/link) echo 2 ;;
    core/settings) echo 3 ;; core/print | core/compare) echo 4 ;;
    windows/common) echo 0 ;; windows/view | windows/settings) echo 1 ;; windows/frame) echo 2 ;;
    programs/*) echo 0 ;;
    *) echo -1 ;;
    esac
}

# The C++20 standard library: all that a core file may include in angle brackets.
standard=" algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat
 charconv chrono cinttypes climits clocale cmath codecvt compare complex concepts
 condition_variable coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring
 ctime cuchar cwchar cwctype deque exception execution filesystem format forward_list fstream
 functional future initializer_list iomanip ios iosfwd iostream istream iterator latch limits
 list locale map memory memory_resource mutex new numbers numeric optional ostream queue random
 ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span sstream
 stack stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
 type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
 version "
standard=" $(echo $standard) "  # one blank between names, and around the ends

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

# Edges between folders of one layer, "layer/from layer/to", for the loop check.
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

while IFS= read -r file; do
    layer=${file%%/*}
    rest=${file#*/}
    folder=${rest%%/*}
    [ "$folder" = "$rest" ] && folder=""
    rank=$(layer_rank "$layer")

    while IFS=: read -r line text; do
        if [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            inc=${BASH_REMATCH[1]}
            # Quoted includes name a file beside the includer or from the top of the tree.
            if [ -f "$(dirname "$file")/$inc" ]; then
                target=$(realpath -m --relative-to=. "$(dirname "$file")/$inc")
            else
                target=$inc
            fi
            tlayer=${target%%/*}
            trest=${target#*/}
            tfolder=${trest%%/*}
            [ "$tfolder" = "$trest" ] && tfolder=""
            trank=$(layer_rank "$tlayer")
            where="$file:$line: includes \"$inc\""
            if [ "$trank" -lt 0 ]; then
                [ -f "$target" ] && fail "$where: a file outside the layers"
                continue
            fi
            if [ "$trank" -gt "$rank" ]; then
                fail "$where: $tlayer/ is a higher layer than $layer/"
            elif [ "$tlayer" = "$layer" ] && [ -n "$folder" ] && [ -n "$tfolder" ] &&
                [ "$tfolder" != "$folder" ]; then
                fr=$(folder_rank "$layer" "$folder")
                tr=$(folder_rank "$layer" "$tfolder")
                if [ "$fr" -ge 0 ] && [ "$tr" -ge 0 ]; then
                    echo "$layer/$folder $layer/$tfolder" >>"$edges"
                    if [ "$tr" -gt "$fr" ]; then
                        fail "$where: $layer/$tfolder/ stands above $layer/$folder/"
                    elif [ "$tr" -eq "$fr" ]; then
                        fail "$where: $layer/$tfolder/ stands beside $layer/$folder/; neither includes the other"
                    fi
                fi
            fi
        elif [ "$layer" = core ] && [[ $text =~ \#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            inc=${BASH_REMATCH[1]}
            if [[ $standard != *" $inc "* ]]; then
                fail "$file:$line: includes <$inc>, which is not standard C++: the core builds on any C++20 compiler; platform code belongs in platform/"
            fi
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find res core platform windows programs bench -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)

# Folders of one layer that include each other in a loop.
if [ -s "$edges" ]; then
    if ! loop=$(sort -u "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loop" ]; then
        members=$(printf '%s\n' "$loop" | grep -v 'input contains a loop' | sed 's/^tsort: //' | awk '!seen[$0]++' | tr '\n' ' ')
        fail "folders that include each other in a loop: $members"
    fi
fi

if [ "$failures" -gt 0 ]; then
    echo "layer check: $failures include(s) break the layers" >&2
    exit 1
fi
echo "layer check: every include points down"
