# bash completion for brenvik-cli                              -*- shell-script -*-

_brenvik_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="new show export-csv import-csv read write diff program ports cable-check history bands help"
    local common="--lang --program-dir --verbose --help"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --lang | --program-dir | --port | -o | --band | --backup | --log | --count | --format | --operator | --since | --until | --plan | --result | --limit) ((i++)) ;;
            -*) ;;
            *) command="${words[i]}"; break ;;
        esac
    done

    case "$prev" in
        --lang) COMPREPLY=($(compgen -W "1 2 3" -- "$cur")); return ;;
        --band) COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7 8 9 10 11 12 13" -- "$cur")); return ;;
        --program-dir | --backup) _filedir -d; return ;;
        --port)
            COMPREPLY=($(compgen -W "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10 COM11 COM12 COM13 COM14 COM15 COM16" -- "$cur"))
            COMPREPLY+=($(compgen -f -- "${cur:-/dev/tty}"))
            return ;;
        -o | --log) _filedir; return ;;
        --count | --operator | --since | --until | --plan | --limit) return ;;
        --result) COMPREPLY=($(compgen -W "pass fail" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "brenvik chirp" -- "$cur")); return ;;
    esac

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local options=""
    case "$command" in
        new) options="-o --band" ;;
        show) options="--json" ;;
        export-csv) options="-o --format" ;;
        import-csv) options="-o --skip-bad-rows --start" ;;
        read) options="--port -o" ;;
        write) options="--port --verify --backup --force" ;;
        diff) options="--port" ;;
        cable-check) options="--port" ;;
        program) options="--port --verify --backup --log --count --operator --force" ;;
        history) options="--since --until --port --plan --result --operator --limit --json --csv" ;;
        ports) options="--json --watch" ;;
        bands) options="--json" ;;
        help) COMPREPLY=($(compgen -W "$commands" -- "$cur")); return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options $common" -- "$cur"))
    else
        case "$command" in
            import-csv) _filedir '@(dat|csv)' ;;
            new | read | ports | cable-check | history | bands) ;;
            *) _filedir dat ;;
        esac
    fi
} &&
    complete -F _brenvik_cli brenvik-cli
