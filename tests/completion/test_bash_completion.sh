#!/usr/bin/env bash
# shellcheck source=/dev/null
# test_bash_completion.sh COMPLETIONS_DIR CLI: completes a table; bash, zsh and fish offer --help's.
set -uo pipefail
completions="$(cd "$1" && pwd)" cli="$(realpath "$2")"
data="$(cd "$(dirname "$0")/../data" && pwd)/completion.txt" # the command lines and their offers
source "$completions/tesselet-cli.bash"
cd "$(mktemp -d)" && trap 'rm -rf "$PWD"' EXIT || exit 1
mkdir pages templates && touch photo.png Photo.JPG scan.TIFF anim.gif notes.txt page.htm \
    'with space.webp' pages/inner.png 'star*.png' starry.png
failures=0 words=()
fail() { echo "FAIL $*" && failures=$((failures + 1)); }
offers() { # the words (the last one under the cursor) -> the offers sorted, one a line
    COMP_WORDS=(tesselet-cli "$@") COMP_CWORD=$# COMPREPLY=()
    _tesselet_cli tesselet-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}
mapfile -t cases < <(grep -v '^#' "$data")
for entry in "${cases[@]}"; do
    eval "words=(${entry%%;*})"
    got="$(offers "${words[@]}" | paste -sd '|')"
    [[ "$got" == "${entry#*;}" ]] || fail "${entry%%;*}: expected [${entry#*;}], got [$got]"
done
offers "" >/dev/null && shopt -q nocasematch && fail "completion leaves nocasematch on"
help="$(LC_ALL=C "$cli" --help | grep -oE '^ +-[^ ].*' |
    sed -E 's/^ +//; s/  .*//; s/ <[^>]*>//g; s/, /\n/g' | LC_ALL=C sort)"
[[ -n "$help" && "$(offers -)" == "$help" ]] ||
    fail "bash offers [$(offers - | xargs)], --help [$(xargs <<<"$help")]"
for option in $help; do
    if [[ "$option" == --* ]]; then fish="-l ${option#--}"; else fish="-s ${option#-}"; fi
    grep -qE -- "(^|[ '{,)])$option([]=+,}'[ ]|$)" "$completions/_tesselet-cli" ||
        fail "zsh lacks $option"
    grep -qE -- "$fish( |$)" "$completions/tesselet-cli.fish" || fail "fish lacks $option"
done
((failures == 0)) || { echo "$failures failure(s)" && exit 1; }
echo "all ${#cases[@]} command lines complete as expected"
