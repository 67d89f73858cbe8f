#!/usr/bin/env bash
# Sources the bash completion of tesselet-cli, completes a table of command lines in a folder of
# known files and compares what it offers. With the converter's path as the second argument it
# also checks that the options offered (bash, zsh and fish) are exactly those of `--help`.
# Usage: test_bash_completion.sh COMPLETIONS_DIR [TESSELET_CLI]
set -uo pipefail
completions="$(cd "$1" && pwd)"
cli="${2:-}"
[[ -n "$cli" ]] && cli="$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")"
# shellcheck source=/dev/null
source "$completions/tesselet-cli.bash"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir pages templates
touch photo.png Photo.JPG scan.TIFF anim.gif notes.txt page.htm 'with space.webp' pages/inner.png \
    'star*.png' starry.png

failures=0
# Completes the words (the last one is the word under the cursor) and prints the offers sorted,
# one a line.
offers() {
    COMP_WORDS=(tesselet-cli "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _tesselet_cli tesselet-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}

# words (a bash list, the last one the word being completed) ; the offers expected, "|"-separated
cases=(
    "--st                          ;--style"
    "--out                         ;--out-dir|--output"
    "-q                            ;-q"
    "--style ''                    ;all|compact|compact-mail|div|span|table"
    "--style t                     ;table"
    "--style = s                   ;span"
    "--style=d                     ;div"
    "--style = ''                  ;all|compact|compact-mail|div|span|table"
    "photo.png --style ''          ;all|compact|compact-mail|div|span|table"
    "--out-dir ''                  ;pages|templates"
    "--templates t                 ;templates"
    "--out-dir=p                   ;pages"
    "''                            ;Photo.JPG|anim.gif|pages|photo.png|scan.TIFF|star*.png|starry.png|templates|with space.webp"
    "p                             ;pages|photo.png"
    "pages/                        ;pages/inner.png"
    "--style span ph               ;photo.png"
    "-o ''                         ;-|Photo.JPG|anim.gif|notes.txt|page.htm|pages|photo.png|scan.TIFF|star*.png|starry.png|templates|with space.webp"
    "--output pa                   ;page.htm|pages"
    "--width ''                    ;"
    "--height 1                    ;"
    "x                             ;"
    "sta                           ;star*.png|starry.png"
    "-o sta                        ;star*.png|starry.png"
)

for entry in "${cases[@]}"; do
    words_text="${entry%%;*}"
    words_text="${words_text%"${words_text##*[! ]}"}"
    expected="${entry#*;}"
    words=()
    eval "words=($words_text)"
    got="$(offers "${words[@]}" | paste -sd '|')"
    if [[ "$got" != "$expected" ]]; then
        echo "FAIL tesselet-cli $words_text: expected [$expected], got [$got]"
        failures=$((failures + 1))
    fi
done

if [[ -n "$cli" ]]; then
    # The options of --help: every -x and --xx that starts a line (the headings may be translated).
    help_options="$(LC_ALL=C "$cli" --help | grep -oE '^ +-[^ ].*' |
        sed -E 's/^ +//; s/  .*//; s/ <[^>]*>//g; s/, /\n/g' | LC_ALL=C sort)"
    if [[ -z "$help_options" ]]; then
        echo "FAIL no options read from $cli --help"
        failures=$((failures + 1))
    fi
    bash_options="$(offers - | LC_ALL=C sort)"
    if [[ "$bash_options" != "$help_options" ]]; then
        echo "FAIL bash offers other options than --help:"
        diff <(echo "$help_options") <(echo "$bash_options")
        failures=$((failures + 1))
    fi
    for option in $help_options; do
        if [[ "$option" == --* ]]; then fish_form="-l ${option#--}"; else fish_form="-s ${option#-}"; fi
        if ! grep -qE -- "(^|[ '{,)])$option([]=+,}'[ ]|$)" "$completions/_tesselet-cli"; then
            echo "FAIL the zsh completion lacks $option"
            failures=$((failures + 1))
        fi
        if ! grep -qE -- "$fish_form( |$)" "$completions/tesselet-cli.fish"; then
            echo "FAIL the fish completion lacks $option"
            failures=$((failures + 1))
        fi
    done
fi

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "all ${#cases[@]} command lines complete as expected"
