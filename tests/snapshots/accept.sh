#!/usr/bin/env bash
# Makes the pictures of the last run of every snapshot check their references: each
# SNAPSHOTS/NAME/references.txt becomes NAME.txt beside this script.
# Usage: accept.sh SNAPSHOTS   (the build's tests/output/snapshots)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for drawn in "$1"/*/references.txt; do
    name=$(basename "$(dirname "$drawn")")
    cp "$drawn" "$here/$name.txt"
    echo "accepted $(wc -l <"$drawn") pictures as $here/$name.txt"
done
