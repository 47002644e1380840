#!/usr/bin/env bash
# Draws the application icon PNGs, src/res/icons/velloran-<size>.png, with
# ImageMagick primitives: its own SVG renderer loses the gradient and blurs the
# small sizes. The geometry is that of src/res/icons/velloran.svg (a 256-unit
# grid), with the swatches snapped to whole pixels so that 16 and 24 px stay
# crisp. Each size is drawn 8 times larger and averaged down.
set -euo pipefail
cd "$(dirname "$0")/../src/res/icons"

sizes=(16 24 32 48 64 128 256)
swatches=(e53935 fb8c00 fdd835 43a047 ffffff 00acc1 1e88e5 8e24aa ec407a)
ss=8

draw() {
    local size=$1 big=$(($1 * ss))
    # Geometry in pixels of the large canvas; u is one design unit.
    eval "$(awk -v s="$size" -v ss="$ss" 'function max(a, b) { return a > b ? a : b }
    function round(x) { return int(x + 0.5) }
    BEGIN {
        u = s / 256
        m = int(8 * u); border = int(6 * u); r = max(2.5, 44 * u)
        cell = max(2, round(30 * u)); gap = max(1, round(6 * u)); grid = 3 * cell + 2 * gap
        x0 = int((s - grid) / 2)
        w = max(1.5, 22 * u); arm = max(11 * u, w / 2 + 0.25); depth = max(1.6, 34 * u)
        printf "m=%g e=%g r=%g ri=%g border=%g cell=%g gap=%g x0=%g w=%g ", m*ss, (s-m)*ss, r*ss, (r-border)*ss, border*ss, cell*ss, gap*ss, x0*ss, w*ss
        printf "la=%g lt=%g ra=%g rt=%g ya=%g yt=%g yb=%g sr=%g\n", (x0-arm)*ss, (x0-arm-depth)*ss, (x0+grid+arm)*ss, (x0+grid+arm+depth)*ss, (x0-u)*ss, s/2*ss, (x0+grid+u)*ss, max(0, 4*u)*ss
    }')"
    local inner_from=$((m + border)) inner_to=$((e - border))
    local cells=""
    for i in 0 1 2 3 4 5 6 7 8; do
        local x=$((x0 + (i % 3) * (cell + gap))) y=$((x0 + (i / 3) * (cell + gap)))
        cells+="fill #${swatches[$i]} roundrectangle $x,$y $((x + cell)),$((y + cell)) $sr,$sr "
    done
    convert -size "${big}x${big}" xc:none \
        -fill '#142040' -draw "roundrectangle $m,$m $e,$e $r,$r" \
        \( -size "${big}x${big}" gradient:'#34589e-#1c2c57' \
           \( -size "${big}x${big}" xc:black -fill white \
              -draw "roundrectangle $inner_from,$inner_from $inner_to,$inner_to $ri,$ri" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -composite \
        -fill none -stroke white -strokewidth "$w" \
        -draw "stroke-linecap round stroke-linejoin round polyline $la,$ya $lt,$yt $la,$yb polyline $ra,$ya $rt,$yt $ra,$yb" \
        -stroke none -draw "$cells" \
        -scale "${size}x${size}" -strip -define png:exclude-chunks=date,time \
        "PNG32:velloran-$size.png"
}

for size in "${sizes[@]}"; do
    draw "$size"
done
