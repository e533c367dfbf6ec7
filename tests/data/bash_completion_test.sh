#!/bin/bash
# The bash completion loads on its own and completes the batch options and
# the formats. Usage: bash_completion_test.sh <completion file>
set -u
completion=$1
failed=0

complete_line() {  # words..., the last one being completed
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _orlenta; printf "%s\n" "${COMPREPLY[@]}"' \
        bash "$completion" "$@"
}

expect() {  # description, expected (one per line), words...
    local what=$1 expected=$2
    shift 2
    local got
    got=$(complete_line "$@")
    if [[ $got != "$expected" ]]; then
        printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$what" "${expected//$'\n'/ }" "${got//$'\n'/ }"
        failed=1
    fi
}

registered=$(bash -c 'source "$1"; complete -p orlenta' bash "$completion")
[[ $registered == "complete -F _orlenta orlenta" ]] || { echo "FAIL complete -p orlenta: $registered"; failed=1; }

formats=$'dvd\nvcd\nsvcd\navi\nmpeg\nwmv\nrm'
expect "the seven formats" "$formats" orlenta --batch --format ""
expect "formats by their start" $'svcd' orlenta --batch --format sv
expect "formats after =" "$formats" orlenta --batch --format =
expect "a format after =" $'mpeg' orlenta --batch --format = mp
expect "options" $'--pal' orlenta --batch --pa
expect "qualities" $'0\n1\n2\n3\n4\n5\n6\n7\n8\n9' orlenta --batch --quality ""
expect "no guess for a number" "" orlenta --batch --jobs ""

folder=$(mktemp -d)
mkdir "$folder/out put" && touch "$folder/clip one.avi"
expect "output folders only" "$folder/out put" orlenta --batch --output "$folder/o"
expect "files, spaces and all" "$folder/clip one.avi" orlenta --batch --format dvd "$folder/c"
rm -rf "$folder"
exit $failed
