#!/usr/bin/env bash
# Draws the gallery sheets (the default look, the fixture skin, the six installed skins) on
# the offscreen platform and compares each picture, by size and a hash of its pixels, with
# the references in references.txt. A changed picture fails the test; the new picture, and a
# difference picture against the last picture this build accepted, are left in OUT, with the
# one command that makes all the new pictures the references.
# Usage: check-snapshots.sh GALLERY SKINS_FOLDER REFERENCES OUT
set -euo pipefail
gallery=$1 skins=$2 references=$3 out=$4

rm -rf "$out/new" "$out/changed"
mkdir -p "$out/new" "$out/changed" "$out/accepted"
QT_QPA_PLATFORM=offscreen "$gallery" --fixture "$skins"/skin{1..6} --out "$out/new" >/dev/null
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
    if [[ -f $out/accepted/$name ]]; then
        pixels=$(compare -metric AE "$out/accepted/$name" "$out/new/$name" \
            "$out/changed/${name%.png}-difference.png" 2>&1 || true)
        echo "  difference to the last accepted picture ($pixels pixels, in red):" \
            "$out/changed/${name%.png}-difference.png"
    else
        echo "  no earlier accepted picture in this build to draw the difference against"
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
    echo "new pictures (and say why in the commit):"
    echo "  cp $out/references.txt $references"
    exit 1
fi
echo "all $(wc -l <"$references") pictures match their references"
