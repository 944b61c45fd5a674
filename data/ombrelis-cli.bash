# Bash completion for ombrelis-cli.
_ombrelis_cli()
{
    local cur prev words cword
    _init_completion || return

    local subcommands="info points area script render convert import"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$subcommands --help --version" -- "$cur"))
        return
    fi

    local options
    case ${words[1]} in
        info) options="--json" ;;
        points) options="--count --csv --json" ;;
        area) options="--count --json" ;;
        script) options="--c1 --c2 --c3 --c4 --current --count --out" ;;
        render) options="--out --size --current --sampled --interpolation --edit --axes --frame --cursor --count --scale --annotate" ;;
        convert) options="--out" ;;
        import) options="--out --x-legend --y-legend" ;;
        *) return ;;
    esac

    case $prev in
        --c[1-4])
            _filedir crv
            return ;;
        --out)
            case ${words[1]} in
                render) _filedir '@(png|svg|pdf)' ;;
                convert) _filedir '@(crv|csv)' ;;
                *) _filedir crv ;;
            esac
            return ;;
        --current) COMPREPLY=($(compgen -W "1 2 3 4" -- "$cur")); return ;;
        --count|--size|--cursor|--scale|--x-legend|--y-legend) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ ${words[1]} == import ]]; then
        _filedir '@(csv|txt|tsv)'
    elif [[ ${words[1]} != script ]]; then
        _filedir crv
    fi
} &&
    complete -F _ombrelis_cli ombrelis-cli
