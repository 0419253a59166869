#!/usr/bin/env bash
# Completes command lines with the tropolink-cli completion in a fresh bash,
# as Tab would, and compares the offered words with what each case expects.
# Usage: completion_test.sh COMPLETION_SCRIPT TROPOLINK_CLI
set -uo pipefail
export LC_ALL=C
script=$1
cli=$2
bash_completion=/usr/share/bash-completion/bash_completion

# Every NAME in the tool's settings table, each followed by "=".
all_names=$("$cli" --help | sed -n '/^Settings (NAME=VALUE):$/,/^$/{/^  [A-Za-z]/p}' |
    awk '$1 != "NAME" {print $1 "="}' | sort | tr '\n' ' ')

# Prints the words offered for LINE (the cursor at its end), sorted, then
# "nospace" when the completion asked for no space after the word.
complete_line() {
    (
        set +u # as in an interactive shell
        cd "$workdir" || exit 1
        # shellcheck disable=SC1090
        source "$bash_completion" && source "$script" || exit 1
        compopt() { [[ $* == *nospace* ]] && nospace=1; }
        nospace=0
        COMP_LINE=$1
        COMP_POINT=${#COMP_LINE}
        # Split as readline does: blanks separate words, "=" and ":" are words of their own.
        local spaced=${1//=/ = }
        spaced=${spaced//:/ : }
        read -ra COMP_WORDS <<<"$spaced"
        [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        local function
        function=$(complete -p tropolink-cli | sed -n 's/.*-F \([^ ]*\) .*/\1/p')
        [[ -n $function ]] || { echo "no completion registered"; exit 1; }
        "$function" tropolink-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' '
        ((nospace)) && printf 'nospace'
    )
}

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
touch "$workdir/loss.csv" "$workdir/loss.svg"

failures=0
check() {
    local line=$1 expected=$2 got
    got=$(complete_line "$line" 2>&1)
    if [[ $got != "$expected" ]]; then
        printf 'FAIL: "%s"\n  expected: %s\n  got:      %s\n' "$line" "$expected" "$got"
        ((failures++))
    fi
}

# line                                           expected words (sorted), then nospace
check 'tropolink-cli --set '                     "${all_names}nospace"
check 'tropolink-cli --set dis'                  'distance-km= nospace'
check 'tropolink-cli --set s1.tx'                's1.tx-line-loss-db= s1.tx-power= nospace'
check 'tropolink-cli --set s2.antenna-'          's2.antenna-gain-dbi= s2.antenna-height-m= s2.antenna-noise-temp-k= nospace'
check 'tropolink-cli --set surface'              'surface-refractivity= nospace'
check 'tropolink-cli --set HScroll2'             'HScroll20= HScroll21= HScroll22= HScroll23= HScroll2= nospace'
check 'tropolink-cli --set=freq'                 'frequency-mhz= nospace'
check 'tropolink-cli --set distance-km=30'       ''
check 'tropolink-cli --set nosuch'               'nospace'
check 'tropolink-cli --json --set fre'           'frequency-mhz= nospace'
check 'tropolink-cli --set distance-km=300 --set fre' 'frequency-mhz= nospace'
check 'tropolink-cli --p'                        '--power-div-1000 '
check 'tropolink-cli --power-div-1000 --set s1.tx-p' 's1.tx-power= nospace'
check 'tropolink-cli --v'                        '--values --version '
check 'tropolink-cli --b'                        '--batch '
check 'tropolink-cli sw'                         'sweep '
check 'tropolink-cli --json sw'                  'sweep '
check 'tropolink-cli sweep dist'                 'distance-km= nospace'
check 'tropolink-cli sweep distance-km=1:2000 '  ''
check 'tropolink-cli sweep --c'                  '--climate-zone --csv '
check 'tropolink-cli sweep --p'                  '--percent --power-div-1000 '
check 'tropolink-cli sweep --j'                  '--jobs '
check 'tropolink-cli sweep --set fre'            'frequency-mhz= nospace'
check 'tropolink-cli sweep --csv '               'loss.csv loss.svg '
check 'tropolink-cli sweep --svg loss.s'         'loss.svg '
check 'tropolink-cli sweep --csv sweep --set dist' 'distance-km= nospace'
check 'tropolink-cli pl'                         'plan '
check 'tropolink-cli plan --r'                   '--report '
check 'tropolink-cli plan --n'                   '--new '
check 'tropolink-cli plan --report loss.s'       'loss.svg '

if ((failures)); then
    echo "$failures completion case(s) failed"
    exit 1
fi
