#!/usr/bin/env bash
# The catalogues of i18n/ against the texts of the code, through lupdate.
#   bash tools/catalogues.sh update [LUPDATE]   bring every catalogue up to date in place
#                                               (new texts come in unfinished, gone ones go)
#   bash tools/catalogues.sh check [LUPDATE]    fail, listing them, on texts a catalogue
#                                               lacks, entries not translated yet and entries
#                                               the code no longer has; changes nothing
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:?update or check}
lupdate=${2:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}

# The folders the programs are built from; not tests, benchmarks or fuzz targets.
folders=()
for d in */; do
    d=${d%/}
    case $d in tests | bench | fuzz | build*) continue ;; esac
    [[ -f $d/CMakeLists.txt ]] && folders+=("$d")
done

scan() {
    "$lupdate" -silent -I . -locations none -no-ui-lines -extensions cpp,h "${folders[@]}" "$@"
}

case $mode in
update)
    for ts in i18n/*.ts; do scan -no-obsolete -ts "$ts"; done
    ;;
check)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    status=0
    for ts in i18n/*.ts; do
        cp "$ts" "$work/"
        scan -ts "$work/${ts##*/}"
        # One line per entry that is not whole: its state and its source text.
        awk -v name="$ts" '
            /<message/ { state = ""; source = "" }
            /<source>/ { source = $0; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source) }
            /<translation/ {
                if ($0 ~ /type="unfinished"/) state = "missing or unfinished"
                else if ($0 ~ /type="(vanished|obsolete)"/) state = "no longer in the code"
            }
            /<\/message>/ { if (state != "") { print name ": " state ": " source; bad = 1 } }
            END { exit bad }' "$work/${ts##*/}" || status=1
    done
    exit $status
    ;;
*)
    echo "usage: $0 update|check [LUPDATE]" >&2
    exit 2
    ;;
esac
