#!/bin/sh
# The strip an install with --strip (and cpack) runs: besides the symbols it drops the
# compiler's .comment and .note sections, as Debian's own packages do.
exec strip --remove-section=.comment --remove-section=.note "$@"
