#!/usr/bin/env bash
# Regenerates the program's two icons from ImageMagick drawing primitives:
#   Configurator.ico (icon 128): the application icon, 256, 48, 32 and 16 px.
#   Emblem.ico       (icon 132): the picture of the expanded layout, 256 and 200 px.
# Both are drawn once on a 512 px canvas and scaled down, so every size shares one design.
# Usage: make-icons.sh [--preview DIR]   (--preview also copies the PNG renderings to DIR)
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

navy='#1d3557'
gold='#e0a526'
dark='#0e1b2c'
steel='#c9d1d9'

# Heater shield, flat top, pointed foot.
shield='M 88,64 L 424,64 L 424,236 C 424,352 352,428 256,476 C 160,428 88,352 88,236 Z'
shield_inner='M 116,92 L 396,92 L 396,236 C 396,334 336,398 256,442 C 176,398 116,334 116,236 Z'

# A kestrel displayed: wings raised, head turned to the right, tail fanned.
bird='M 256,128 L 268,132 L 280,146 L 294,152 L 278,160 L 272,176 L 290,196
      L 318,176 L 350,140 L 380,112 L 376,140 L 388,146 L 374,172 L 384,178
      L 364,204 L 372,210 L 344,234 L 300,248 L 292,300 L 318,350 L 296,352
      L 290,372 L 270,360 L 256,378 L 242,360 L 222,372 L 216,352 L 194,350
      L 220,300 L 212,248 L 168,234 L 140,210 L 148,204 L 128,178 L 138,172
      L 124,146 L 136,140 L 132,112 L 162,140 L 194,176 L 222,196 L 240,176
      L 238,160 L 236,146 L 244,132 Z'

# A sword point up: blade, fuller, cross-guard, grip and pommel.
sword() {
    echo "fill $steel stroke $dark stroke-width 6
          path 'M 256,8 L 274,40 L 274,360 L 238,360 L 238,40 Z'
          stroke none fill '#8d99a6' rectangle 253,48 259,350
          fill $gold stroke $dark stroke-width 6
          roundrectangle 196,352 316,376 8,8
          fill '#6b4226' rectangle 244,376 268,440
          fill $gold circle 256,456 256,470"
}

draw_shield() {
    echo "fill $dark stroke none path '$shield'
          fill $gold path '$shield'
          fill $navy path '$shield_inner'
          fill $gold stroke $dark stroke-width 5 path '$bird'"
}

# Application icon: the shield alone, which stays readable at 16 px.
# Cropped to the shield so that it fills the small sizes.
convert -size 512x512 xc:none -draw "$(draw_shield)" \
    -trim +repage -background none -gravity center -extent 424x424 "$work/app.png"

# Emblem: two crossed swords behind the shield.
convert -size 512x512 xc:none \
    \( -size 512x512 xc:none -draw "$(sword)" -background none -virtual-pixel transparent -distort SRT '256,256 1 -38' \) -composite \
    \( -size 512x512 xc:none -draw "$(sword)" -background none -virtual-pixel transparent -distort SRT '256,256 1 38' \) -composite \
    \( -size 512x512 xc:none -draw "$(draw_shield)" -resize 78% -background none -gravity center -extent 512x512 \) -composite \
    "$work/emblem.png"

scaled() { # source, size, output
    convert "$1" -filter Lanczos -resize "$2x$2" -unsharp 0x0.6 -depth 8 -define png:exclude-chunks=date,time "PNG32:$3"
}

for size in 256 48 32 16; do scaled "$work/app.png" $size "$work/app-$size.png"; done
convert "$work"/app-{256,48,32,16}.png -depth 8 -define png:exclude-chunks=date,time Configurator.ico

for size in 256 200; do scaled "$work/emblem.png" $size "$work/emblem-$size.png"; done
convert "$work"/emblem-{256,200}.png -depth 8 -define png:exclude-chunks=date,time Emblem.ico

# Previews for a quick look; not part of the resources.
if [ "${1-}" = --preview ]; then
    cp "$work"/app-*.png "$work"/emblem-*.png "${2:-.}"
fi
