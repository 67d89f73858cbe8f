# bash completion for tesselet-cli                                       -*- shell-script -*-
# Needs nothing but bash itself (compgen), not the bash-completion package.

_tesselet_cli() {
    local cur prev
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev=""
    ((COMP_CWORD > 0)) && prev="${COMP_WORDS[COMP_CWORD - 1]}"
    COMPREPLY=()

    local options="-h --help --help-all -v --version --style -o --output --out-dir --templates
        --width --height -q --quiet --mail --fragment --tolerance --background --max-bytes"
    local styles="table span div compact compact-mail web all"

    # --option=value: complete the value after the "=" (one word, or three when "=" breaks words).
    local option="$prev"
    if [[ "$cur" == --*=* ]]; then
        option="${cur%%=*}"
        cur="${cur#*=}"
    elif [[ "$cur" == "=" && "$prev" == --* ]]; then
        cur=""
    elif [[ "$prev" == "=" ]] && ((COMP_CWORD > 1)); then
        option="${COMP_WORDS[COMP_CWORD - 2]}"
    fi

    case "$option" in
    --style)
        mapfile -t COMPREPLY < <(compgen -W "$styles" -- "$cur")
        return 0
        ;;
    --out-dir | --templates)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return 0
        ;;
    -o | --output)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        [[ "-" == "$cur"* ]] && COMPREPLY+=("-")
        return 0
        ;;
    --width | --height | --tolerance | --max-bytes)
        return 0
        ;;
    --background)
        mapfile -t COMPREPLY < <(compgen -W "white black" -- "$cur")
        return 0
        ;;
    esac

    if [[ "$cur" == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return 0
    fi

    # Pictures: the files Qt's image readers take, by extension in any case, and folders.
    compopt -o filenames 2>/dev/null
    local file files restore_nocase
    mapfile -t files < <(compgen -f -- "$cur")
    restore_nocase="$(shopt -p nocasematch)"
    shopt -s nocasematch
    for file in "${files[@]}"; do
        if [[ -d "$file" ]]; then
            COMPREPLY+=("$file")
            continue
        fi
        case "$file" in
        *.png | *.jpg | *.jpeg | *.jfif | *.gif | *.bmp | *.webp | *.tif | *.tiff | *.ico | *.cur | \
            *.icns | *.tga | *.mng | *.wbmp | *.ppm | *.pgm | *.pbm | *.xbm | *.xpm)
            COMPREPLY+=("$file")
            ;;
        esac
    done
    eval "$restore_nocase"
    return 0
}
complete -F _tesselet_cli tesselet-cli
