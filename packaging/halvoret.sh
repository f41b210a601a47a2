#!/bin/sh
# Starts Halvoret in the user's own data folder.
#
# The program finds every data file relative to its working directory: the database
# DataBase/DataBase.mdb, Reports/, Image/, didi.wav and Help.html. The package delivers a
# pristine set of them; every user works on an own copy in
# ${XDG_DATA_HOME:-~/.local/share}/halvoret. The first start copies the whole set. Later
# starts copy only what is missing and never replace a file that is there, so the user's
# database and report pages stay as they are. Arguments go to the program unchanged.
set -eu

prefix=$(dirname "$(dirname "$(readlink -f "$0")")")
program="$prefix/lib/halvoret/halvoret"
delivered="$prefix/share/halvoret"

# A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
case "${XDG_DATA_HOME:-}" in
/*) data_home=$XDG_DATA_HOME ;;
*) data_home=${HOME:?HOME is not set}/.local/share ;;
esac
data="$data_home/halvoret"

fail() {
    echo "halvoret: $*" >&2
    exit 1
}

if [ ! -x "$program" ] || [ ! -d "$delivered" ]; then
    fail "incomplete installation below $prefix"
fi

# The register holds personal data: the folder is the user's alone.
if [ ! -d "$data" ]; then
    mkdir -p "$data_home" || fail "cannot create $data_home"
    mkdir -m 700 "$data" 2>/dev/null || [ -d "$data" ] || fail "cannot create $data"
fi

# Folders first, also the empty ones the program writes into, then every missing file.
# A file is copied under a temporary name and linked into place, which fails when the
# name exists: a start running at the same moment never has its file replaced, and an
# interrupted copy never leaves half a file behind.
(cd "$delivered" && find . -type d) | while IFS= read -r folder; do
    mkdir -p "$data/$folder" || fail "cannot create $data/$folder"
done
(cd "$delivered" && find . ! -type d) | while IFS= read -r file; do
    file=${file#./}
    target="$data/$file"
    [ ! -e "$target" ] || continue
    partial="$target.partial.$$"
    cp "$delivered/$file" "$partial" || { rm -f "$partial"; fail "cannot copy $file to $data"; }
    if ! ln "$partial" "$target" 2>/dev/null && [ ! -e "$target" ]; then
        # A file system without hard links.
        mv "$partial" "$target" || { rm -f "$partial"; fail "cannot copy $file to $data"; }
    fi
    rm -f "$partial"
done

cd "$data"
# Qt WebEngine refuses its sandbox when started as root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
exec "$program" "$@"
