#!/usr/bin/env bash
# Draws pictures with COMMAND (which writes PNG files into the folder $SNAPSHOT_PICTURES) and
# compares each, by size and a hash of its pixels, with its line in REFERENCES. A changed,
# new or missing picture fails the test; the new picture and a difference picture are left
# in OUT/changed, with the one command that makes the new pictures of all checks the
# references (accept.sh). The difference is drawn against the last picture this build
# accepted; on a fresh clone, which has none, the tiles whose hashes differ from the stored
# ones (REFERENCES with .tiles for .txt, see tiles.sh) are marked instead. OUT is named like
# the references without .txt.
# Usage: check-snapshots.sh REFERENCES OUT COMMAND [ARGUMENT...]
set -euo pipefail
references=$1 out=$2
tiles=${references%.txt}.tiles
shift 2
source "$(dirname "$0")/tiles.sh"

rm -rf "$out/new" "$out/changed"
mkdir -p "$out/new" "$out/changed" "$out/accepted"
SNAPSHOT_PICTURES="$out/new" QT_QPA_PLATFORM=offscreen "$@" >"$out/draw.log" 2>&1 ||
    { cat "$out/draw.log"; echo "FAILED: drawing the pictures"; exit 1; }
(cd "$out/new" && identify -format '%f %wx%h %#\n' *.png) >"$out/references.txt"

changed=0
while read -r name size hash; do
    reference=$(grep "^$name " "$references" || true)
    if [[ $reference == "$name $size $hash" ]]; then
        cp "$out/new/$name" "$out/accepted/$name"
        continue
    fi
    changed=$((changed + 1))
    cp "$out/new/$name" "$out/changed/$name"
    echo "CHANGED: $name is now $size $hash; its reference: ${reference:-none}"
    echo "  new picture: $out/changed/$name"
    # The last picture this build accepted, if it is still the reference.
    if [[ -f $out/accepted/$name && $reference == "$name $(identify -format '%wx%h %#' \
        "$out/accepted/$name")" ]]; then
        pixels=$(compare -metric AE "$out/accepted/$name" "$out/new/$name" \
            "$out/changed/${name%.png}-difference.png" 2>&1 || true)
        echo "  difference to the last accepted picture ($pixels pixels, in red):" \
            "$out/changed/${name%.png}-difference.png"
    elif [[ ${reference:-} && $(cut -d' ' -f2 <<<"$reference") != "$size" ]]; then
        echo "  its size was $(cut -d' ' -f2 <<<"$reference")"
    elif stored=$(grep "^$name " "$tiles" 2>/dev/null); then
        count=$(mark_changed_tiles "$out/new/$name" "${stored#"$name "}" \
            "$out/changed/${name%.png}-difference.png")
        echo "  difference to the reference ($count tiles of ${Tile} pixels, in red):" \
            "$out/changed/${name%.png}-difference.png"
    else
        echo "  no earlier picture of this build nor tiles of the reference to compare with"
    fi
done <"$out/references.txt"
while read -r name _; do
    if [[ ! -f $out/new/$name ]]; then
        changed=$((changed + 1))
        echo "CHANGED: $name is no longer drawn"
    fi
done <"$references"

if ((changed)); then
    echo "$changed picture(s) differ from their references. If the change is meant, accept all"
    echo "new pictures of every snapshot check (and say why in the commit):"
    echo "  bash $(cd "$(dirname "$0")" && pwd)/accept.sh $(dirname "$out")"
    exit 1
fi
echo "all $(wc -l <"$references") pictures match their references"
