# bash completion for h8: its options, and the values of those that take a choice.

_h8() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # bash splits "--format=ht" at "=": the value is the word after it.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    local word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        [[ $word == -- ]] && return # the rest are words of the line
    done
    local values=
    case $prev in
        --format) values='text markdown html' ;;
        --align) values='left center centre right' ;;
        -s | --spaces | -l | --lines) values='0 1 2 3 4 5 6 7 8 9 10 11 12' ;;
        -w | --width | --prefix) return ;; # a number or a text of one's own
        *)
            [[ $cur == -* ]] || return
            values='-s --spaces -l --lines -w --width -t --terminal -q --quiet --crlf --lf
                    --trim --prefix --format --align --show --save -h --help --version --'
            ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
}
complete -F _h8 h8
