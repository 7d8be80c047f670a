#!/usr/bin/env bash
# Makes the pictures of the last run of every snapshot check their references: each
# SNAPSHOTS/NAME/references.txt becomes NAME.txt beside this script, and the tile hashes of
# its pictures (tiles.sh) NAME.tiles.
# Usage: accept.sh SNAPSHOTS   (the build's tests/output/snapshots)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/tiles.sh"
for drawn in "$1"/*/references.txt; do
    folder=$(dirname "$drawn")
    name=$(basename "$folder")
    cp "$drawn" "$here/$name.txt"
    while read -r picture _; do
        echo "$picture $(tile_hashes "$folder/new/$picture")"
    done <"$drawn" >"$here/$name.tiles"
    echo "accepted $(wc -l <"$drawn") pictures as $here/$name.txt and $name.tiles"
done
