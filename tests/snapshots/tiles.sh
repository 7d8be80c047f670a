# Tiles of a snapshot picture, for finding where a picture changed without keeping the
# picture itself: each picture is cut into Tile x Tile squares (row by row, the last ones of
# a row or column smaller) and each square is named by the first 8 hex digits of a hash of
# its pixels. Sourced by check-snapshots.sh and accept.sh.
Tile=96

# Prints the tile hashes of PICTURE on one line.
tile_hashes() {
    convert "$1" -crop "${Tile}x${Tile}" -format '%#\n' info: | cut -c1-8 | paste -sd' '
}

# Draws DIFFERENCE: PICTURE with every tile whose hash differs from the stored HASHES
# (one line, as tile_hashes prints it) marked in red. Prints how many tiles differ.
mark_changed_tiles() {
    local picture=$1 stored=$2 difference=$3
    local width columns index=0 changed=0 draw=()
    read -r -a old <<<"$stored"
    read -r -a new <<<"$(tile_hashes "$picture")"
    width=$(identify -format '%w' "$picture")
    columns=$(((width + Tile - 1) / Tile))
    for hash in "${new[@]}"; do
        if [[ $hash != "${old[index]:-}" ]]; then
            local x=$((index % columns * Tile)) y=$((index / columns * Tile))
            draw+=(-draw "rectangle $x,$y $((x + Tile - 1)),$((y + Tile - 1))")
            changed=$((changed + 1))
        fi
        index=$((index + 1))
    done
    convert "$picture" -fill 'rgba(255,0,0,0.3)' -stroke red "${draw[@]}" "$difference"
    echo "$changed"
}
