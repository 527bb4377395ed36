# bash completion for lumbra32-cli
_lumbra32_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="files settings analyze calling structure json save-project modules defines search"
    local common="--help --lang --ini --user-settings"
    local inputs="--define --include-path"
    local output="--csv --tsv --full-path --crlf --output -o --progress --sort --lower-omit
        --layer --boxes --root --opt --count-opt"

    local command="" i
    for ((i = 1; i < cword; i++)); do
        if [[ " $commands " == *" ${words[i]} "* ]]; then
            command=${words[i]}
            break
        fi
    done

    case $prev in
        --lang)
            mapfile -t COMPREPLY < <(compgen -W "en ja" -- "$cur")
            return ;;
        --sort)
            mapfile -t COMPREPLY < <(compgen -W "code name exec path" -- "$cur")
            return ;;
        --ini)
            _filedir '@(ini|prj|INI|PRJ)'
            return ;;
        -o | --output)
            _filedir
            return ;;
        --include-path)
            _filedir -d
            return ;;
        --define | --layer | --boxes | --root | --opt | --count-opt)
            return ;;
    esac

    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
        return
    fi

    if [[ $cur == -* ]]; then
        local options
        case $command in
            settings) options="$common" ;;
            files | modules | defines | save-project) options="$common $inputs" ;;
            search)
                options="$common $inputs --match-case --enable-line-only --full-path --crlf
                    --output -o" ;;
            *) options="$common $inputs $output" ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi

    [[ $command == settings ]] && return
    _filedir
}
complete -F _lumbra32_cli lumbra32-cli
