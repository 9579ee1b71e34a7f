#!/usr/bin/env bash
# The English translation of the windows' texts (translations/velqorandis_en.ts).
# Without arguments: brings the texts that the source now has into the file
# (new ones unfinished, for translating) and drops those it no longer has.
# With --check: fails unless the file already holds exactly the source's texts
# and every one of them is translated. LUPDATE names the tool if it is not
# where Qt's qtpaths6 says.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-$(qtpaths6 --query QT_HOST_BINS)/lupdate}
file=translations/velqorandis_en.ts
update() { "$lupdate" -silent -I src -locations none -no-obsolete src/ui src/app -ts "$1"; }

if [ "${1:-}" != "--check" ]; then
  update "$file"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$file" "$work/"
update "$work/${file##*/}"
if ! cmp -s "$file" "$work/${file##*/}"; then
  echo "translations: the source's texts differ from those of $file; run scripts/translations.sh and translate:" >&2
  diff "$file" "$work/${file##*/}" >&2 || true
  exit 1
fi
unfinished=$(grep -c 'type="unfinished"' "$file" || true)
if [ "$unfinished" -ne 0 ]; then
  echo "translations: $unfinished texts of $file are not translated yet" >&2
  exit 1
fi
echo "translations: $(grep -c '<message>' "$file") texts, all translated"
