#!/usr/bin/env bash
# Both programs' help, in every language: in that language (only English starts as English
# does) and within a terminal's 80 columns, wide characters taking two (as wc -L counts).
#   help_width_test.sh FRAMEPICKER FRAMEPICKER-CLI
set -u
failed=0
for language in en de es fr ja zh_CN; do
  for program in "$@"; do
    help=$(env -i LANGUAGE=$language LC_ALL=C.UTF-8 "$program" --help) || { echo "$program --help failed in $language"; failed=1; continue; }
    english=no; [[ $help == "Usage: "* ]] && english=yes
    if [ $english != "$([ $language = en ] && echo yes || echo no)" ]; then
      echo "$(basename "$program") --help in $language is not in its language: ${help%%$'\n'*}"; failed=1
    fi
    width=$(printf '%s\n' "$help" | LC_ALL=C.UTF-8 wc -L)
    if [ "$width" -gt 80 ]; then
      echo "$(basename "$program") --help in $language is $width columns wide"; failed=1
    fi
  done
done
exit $failed
