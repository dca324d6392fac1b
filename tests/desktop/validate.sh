#!/usr/bin/env bash
# validate.sh TOOL FILE: the desktop entry (desktop-file-validate) or the
# AppStream file (appstreamcli) must pass without an error or a warning.
# Exit 77 (a skipped test) when the tool is not installed.
tool=$1
file=$2
command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (apt-get install desktop-file-utils appstream)"; exit 77; }
case $tool in
desktop-file-validate)
    # It prints only what is wrong: errors, warnings and hints (such as a
    # missing main category, which hides the entry in a catch-all menu).
    out=$(desktop-file-validate "$file" 2>&1)
    status=$?
    ;;
appstreamcli)
    out=$(appstreamcli validate --no-net --pedantic --no-color "$file" 2>&1)
    status=$?
    ;;
*)
    echo "unknown validator $tool"
    exit 2
    ;;
esac
echo "$out"
if [[ $tool == desktop-file-validate && -n $out ]]; then
    exit 1
fi
exit $status
