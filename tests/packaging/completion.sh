#!/usr/bin/env bash
# Sources the completion script as bash does and checks what it offers.
# Usage: completion.sh COMPLETION-SCRIPT   (exit 77: bash-completion is not installed)
set -uo pipefail
[ -r /usr/share/bash-completion/bash_completion ] || { echo "skipped: bash-completion is not installed"; exit 77; }
# shellcheck source=/dev/null
source /usr/share/bash-completion/bash_completion
# shellcheck source=/dev/null
source "$1"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
touch meet.lef meet.LXF results.sd3 notes.txt report.pdf

# Completes the last word of a command line; prints the offers sorted on one line.
offers() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _lanescope_cli lanescope-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

status=0
expect() {
    local want=$1
    shift
    local got
    got=$(offers "$@")
    if [ "$got" != "$want" ]; then
        echo "FAIL: '$*' offers '$got', not '$want'"
        status=1
    fi
}
expect "chart clubs convert events export fetch info library list meets parse register watch " lanescope-cli ""
expect "chart clubs convert " lanescope-cli c
expect "meet.LXF meet.lef results.sd3 " lanescope-cli info ""
expect "--pdf " lanescope-cli export meet.lef --pd
expect "--event --event-id " lanescope-cli list meet.lef --ev
expect "report.pdf " lanescope-cli export meet.lef --pdf ""
expect "--app-info --server " lanescope-cli meets --
[ $status -eq 0 ] && echo "completion offers checked"
exit $status
