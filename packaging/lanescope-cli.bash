# bash completion for lanescope-cli
_lanescope_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="parse info convert events list clubs export chart register meets fetch watch library"
    local files='@(lef|lxf|snf|lxb|fxl|stf|sd3|cl2|dsv|dsv[678]|zip)'

    if ((cword == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
        return
    fi

    case $prev in
        --pdf)
            _filedir pdf
            return
            ;;
        --html)
            _filedir '@(htm|html)'
            return
            ;;
        --svg | --png)
            _filedir "${prev#--}"
            return
            ;;
        --competition | --event | --round | --event-id | --age-group | --athlete | --relay | --server | --app-info | --interval | --rows)
            return
            ;;
    esac

    local options=""
    case ${words[1]} in
        list) options="--competition --event --round --event-id --age-group --athlete --relay --splits
                       --valid-only --sort --filter --csv --heat-lane --reaction" ;;
        watch) options="--competition --event --round --event-id --age-group --splits --valid-only --interval
                        --site" ;;
        events | clubs) options="--competition" ;;
        export) options="--competition --event --round --event-id --age-group --athlete --relay --club-stats --book
                         --splits --valid-only --pdf --html --site" ;;
        chart) options="--competition --event --round --event-id --age-group --rows --svg --pdf --png" ;;
        meets) options="--app-info --server" ;;
    esac

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi

    case ${words[1]} in
        parse | info | events | list | clubs | export | chart | watch) _filedir "$files" ;;
        convert)
            if ((cword == 2)); then
                _filedir "$files"
            else
                _filedir lef
            fi
            ;;
        register) _filedir ;;
    esac
} &&
    complete -F _lanescope_cli lanescope-cli
