#!/usr/bin/env bash
# The desktop entry and the AppStream metadata, as software centres and file managers read them.
#   metadata_test.sh types DESKTOP METAINFO      the metadata offers exactly the entry's media types,
#                                                and every text of it in each of the six languages
#   metadata_test.sh validate DESKTOP METAINFO   both pass their distribution's validators
#                                                (77, which ctest counts as skipped, without them)
set -euo pipefail
mode=$1 desktop=$2 metainfo=$3
case $mode in
types)
  entry=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)
  offered=$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1|p' "$metainfo" | sort)
  failed=0
  if [ "$entry" != "$offered" ]; then
    echo "media types of the desktop entry and the metadata differ (< entry, > metadata):"
    diff <(echo "$entry") <(echo "$offered") || true
    failed=1
  fi
  [ -z "$(echo "$entry" | uniq -d)" ] || { echo "a media type is listed twice"; failed=1; }
  # Each untranslated summary, paragraph and caption has its five translations.
  for tag in summary p caption; do
    english=$(grep -c "<$tag>" "$metainfo")
    for lang in de es fr ja zh_CN; do
      translated=$(grep -c "<$tag xml:lang=\"$lang\">" "$metainfo" || true)
      [ "$translated" = "$english" ] || { echo "<$tag>: $english in English, $translated in $lang"; failed=1; }
    done
  done
  exit $failed ;;
validate)
  for tool in appstreamcli desktop-file-validate; do
    command -v $tool >/dev/null || { echo "skipped: $tool is not installed (packages appstream, desktop-file-utils)"; exit 77; }
  done
  desktop-file-validate "$desktop"
  appstreamcli validate --no-net --pedantic "$metainfo" ;;
*) echo "usage: $0 types|validate DESKTOP METAINFO" >&2; exit 2 ;;
esac
