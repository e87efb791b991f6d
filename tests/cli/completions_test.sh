#!/usr/bin/env bash
# The completions of h8 for bash, zsh and fish, run by each shell as a user's
# would run them: the options and the values of --format and --align come up.
# Usage: completions_test.sh SHARE   (the share folder as a package or archive lays it
# out, zsh's file in vendor-completions or site-functions; or build/packaging/share,
# where CMake writes them)
set -euo pipefail
share=$1
zsh_folder=$(dirname "$(ls "$share"/zsh/*/_h8)")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "completions: $*" >&2; failures=$((failures + 1)); }

# bash: the function registered for h8, given the words as bash splits them.
bash_offers() { # bash_offers EXPECTED WORD...
    local expected=$1 got
    shift
    got=$(bash --norc --noprofile -c '
        source "$1"
        shift
        function=$(complete -p h8 | sed -n "s/.* -F \([^ ]*\) .*/\1/p")
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        COMPREPLY=()
        "$function"
        echo "${COMPREPLY[*]}"' _ "$share/bash-completion/completions/h8" "$@")
    [ "$got" = "$expected" ] || fail "bash offers \"$got\" for \"$*\", not \"$expected\""
}
bash_offers --format h8 --fo
bash_offers '--terminal --trim' h8 --t
bash_offers 'text markdown html' h8 --format ''
bash_offers 'text markdown html' h8 -q --format = ''
bash_offers 'center centre' h8 --align = ce
bash_offers '1 10 11 12' h8 -s 1
bash_offers '' h8 --prefix ''
bash_offers '' h8 -- --fo
bash_offers '' h8 Hi

# fish: what it completes for a command line.
fish_offers() { # fish_offers EXPECTED LINE
    local got
    got=$(fish --no-config -c "source '$share/fish/vendor_completions.d/h8.fish'
        complete -C '$2'" | cut -f1 | tr '\n' ' ')
    [ "$got" = "$1 " ] || fail "fish offers \"$got\" for \"$2\", not \"$1\""
}
fish_offers --format 'h8 --fo'
fish_offers 'html markdown text' 'h8 --format '
fish_offers '--align=center --align=centre' 'h8 --align=c'

# zsh: an interactive shell on a pseudo-terminal, Tab pressed after each line; what
# it lists or puts on the line must show the completions within ten seconds.
zsh_offers() { # zsh_offers LINE EXPECTED...
    local line=$1
    shift
    timeout 20 zsh -f -c '
        zmodload zsh/zpty
        zpty shell "zsh -f -i"
        zpty -w shell "PS1=\"%% \"; fpath=($1 \$fpath); autoload -Uz compinit
            compinit -u -d $2; print READY"
        zpty -r shell output "*READY*"
        zpty -r shell output "*% *"
        zpty -w -n shell "$3"$'"'"'\t'"'"'
        seen=
        for ((tries = 0; tries < 100; tries++)); do
            while zpty -r -t shell chunk; do seen+=$chunk; done
            missing=0
            for expected in "${@:4}"; do
                [[ $seen == *$expected* ]] || missing=1
            done
            ((missing)) || exit 0
            sleep 0.1
        done' _ "$zsh_folder" "$work/zcompdump" "$line" "$@" >/dev/null ||
        fail "zsh does not offer $* for \"$line\""
}
zsh_offers 'h8 --fo' --format
zsh_offers 'h8 --format ' html markdown text
zsh_offers 'h8 --align=' left center centre right
zsh_offers 'h8 -' --spaces --lines --width --terminal --quiet --crlf --lf --trim --prefix

[ "$failures" -eq 0 ] || exit 1
echo "completions: bash, zsh and fish complete the options and values of h8"
