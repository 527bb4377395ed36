#!/bin/bash
# The manual pages format without warnings and name every command and option the programs
# offer; the bash completion offers the same commands and options as lumbra32-cli --help.
# Usage: CliDocsTest.sh CLI MAN_DIR COMPLETION [DESKTOP_PROGRAM]
set -eu
cli=$1
man_dir=$2
completion=$3
desktop=${4:-}
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Long options of a --help text, in the form the manual's troff source writes them.
options_of() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
troff() { sed 's/-/\\-/g'; }

pages=("$man_dir/lumbra32-cli.1")
[ -n "$desktop" ] && pages+=("$man_dir/lumbra32.1")
for page in "${pages[@]}"; do
    warnings=$(groff -ww -man -Tutf8 -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff -ww $page: $warnings"
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man --warnings $page: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS"; do
        grep -q "^\.SH \"\?$section\"\?$" "$page" || fail "$page has no $section section"
    done
done

cli_page=$man_dir/lumbra32-cli.1
mapfile -t commands < <("$cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }')
[ ${#commands[@]} -gt 0 ] || fail "lumbra32-cli --help lists no commands"
for option in $("$cli" --help | options_of); do
    grep -qF -- "$(troff <<<"$option")" "$cli_page" || fail "lumbra32-cli.1 lacks $option"
done
for command in "${commands[@]}"; do
    grep -qxF ".B $(troff <<<"$command")" "$cli_page" || fail "lumbra32-cli.1 lacks the command $command"
    for option in $("$cli" "$command" --help | options_of); do
        grep -qF -- "$(troff <<<"$option")" "$cli_page" ||
            fail "lumbra32-cli.1 lacks $option of $command"
    done
done

if [ -n "$desktop" ]; then
    for option in $(QT_QPA_PLATFORM=offscreen "$desktop" --help | options_of); do
        grep -qF -- "$(troff <<<"$option")" "$man_dir/lumbra32.1" || fail "lumbra32.1 lacks $option"
    done
    # An unknown --show value makes the program list the known ones ("  name: what" or
    # "  name:ARGUMENT: what").
    targets=$(QT_QPA_PLATFORM=offscreen "$desktop" --screenshot /dev/null --show '?' 2>&1 |
        sed -n 's/^  \([a-z][a-z-]*\):.*/\1/p' | sort -u)
    [ -n "$targets" ] || fail "lumbra32 lists no --show targets"
    for target in $targets; do
        grep -qE "^\.BI? $(troff <<<"$target")(:| |\$)" "$man_dir/lumbra32.1" ||
            fail "lumbra32.1 lacks the --show target $target"
    done
fi

# The completion function, run with stand-ins for the helpers of the bash-completion package.
_init_completion() {
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
}
_filedir() { COMPREPLY=("<files$*>"); }
complete() { :; }
# shellcheck source=/dev/null
source "$completion"
offers() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _lumbra32_cli
    printf '%s\n' "${COMPREPLY[@]}"
}
offered=$(offers lumbra32-cli "")
for command in "${commands[@]}"; do
    grep -qx -- "$command" <<<"$offered" || fail "completion does not offer the command $command"
done
for command in "${commands[@]}"; do
    for option in $("$cli" "$command" --help | sed -n '/^Options:/,$p' | options_of); do
        grep -qx -- "$option" <<<"$(offers lumbra32-cli "$command" "$option")" ||
            fail "completion does not offer $option after $command"
    done
done
# Values with a fixed set are offered from the set the program checks against.
for command in "${commands[@]}"; do
    "$cli" "$command" --help | grep -oE -- '--[a-z-]+ TEXT:\{[a-z,]+\}' | while read -r choice; do
        option=${choice%% *}
        values=$(sed 's/.*{\(.*\)}/\1/' <<<"$choice" | tr ',' '\n' | sort)
        got=$(offers lumbra32-cli "$command" "$option" "" | sort)
        [ "$got" = "$values" ] || {
            echo "FAIL: completion of $command $option offers: $(tr '\n' ' ' <<<"$got")" >&2
            exit 1
        }
    done || failures=$((failures + 1))
done
[ "$(offers lumbra32-cli analyze --include-path "")" = "<files-d>" ] || fail "--include-path wants folders"
[ "$(offers lumbra32-cli analyze src/ "")" = "<files>" ] || fail "inputs are files"
[ -z "$(offers lumbra32-cli analyze --root "")" ] || fail "a module name is not a file"

[ $failures -eq 0 ] || exit 1
echo "manual pages and completion agree with the programs"
