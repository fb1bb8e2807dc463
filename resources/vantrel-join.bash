# bash completion for vantrel-join                          -*- shell-script -*-

_vantrel_join()
{
    local cur prev words cword split
    _init_completion -s -n : || return

    case $prev in
        -o | --output)
            _filedir
            return
            ;;
        --buffer-size)
            COMPREPLY=($(compgen -W '128 4K 64K 1M 16M' -- "$cur"))
            return
            ;;
    esac
    $split && return

    # After "--" every word is an input, dashes included.
    local i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == -- ]]; then
            _filedir
            return
        fi
    done

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-o --output= --buffer-size= -- -h --help
            --version' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    _filedir
} &&
    complete -F _vantrel_join vantrel-join

# ex: filetype=sh
