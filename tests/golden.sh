#!/bin/sh
# Pages byte for byte: data/pages.txt names each of data/pages/ and the converter's arguments to it;
# the version the templates name stands as @VERSION@. `golden.sh CLI --regenerate` writes them anew.
set -u
cli=$1
data=$(cd "$(dirname "$0")/data" && pwd)
out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
version=$("$cli" --version | sed -n 's/^[^ ]* //p' | sed 's/\./\\./g')
failed=0
while read -r page args; do
  case $page in '#'* | '') continue ;; esac
  # shellcheck disable=SC2086 # the arguments are words
  if ! (cd "$data" && "$cli" -q $args -o "$out/$page"); then
    echo "$page: the converter failed"; failed=1; continue
  fi
  sed "s/Tesselet $version\"/Tesselet @VERSION@\"/" "$out/$page" >"$out/$page.kept"
  if [ "${2:-}" = --regenerate ]; then
    cp "$out/$page.kept" "$data/pages/$page"
  elif ! cmp -s "$out/$page.kept" "$data/pages/$page"; then
    echo "$page: differs from data/pages/$page:"; cmp "$out/$page.kept" "$data/pages/$page"; failed=1
  fi
done <"$data/pages.txt"
# Under a terminal the converter draws its progress line there; the page stays the same.
page=colours.table.htm args="--style table --templates templates/utf8 pictures/colours.png"
script -qec "cd '$data' && '$cli' $args -o '$out/tty.htm'" /dev/null >/dev/null
sed "s/Tesselet $version\"/Tesselet @VERSION@\"/" "$out/tty.htm" | cmp -s - "$data/pages/$page" ||
  { echo "$page: differs when written under a terminal"; failed=1; }
script -qec "cd '$data' && '$cli' $args -o /dev/full" /dev/null >/dev/null &&
  { echo "a page to /dev/full under a terminal was told written"; failed=1; }
exit $failed
