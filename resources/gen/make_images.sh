#!/bin/sh
# Draws the month pictures, at 96 and at 192 dpi, the icons of UlvoRes.dll and the main program's
# icon, and writes images/month_pictures.h: each picture's size and the colours at a few points,
# read back from the GIF file, for the tests to check a decoder against.
# The results are committed beside the resource scripts, so a build never runs this;
# run it again only after changing a drawing:
#
#     sh resources/gen/make_images.sh
#
# Needs ImageMagick 6 (convert) and the WenQuanYi Micro Hei font (Debian: imagemagick,
# fonts-wqy-microhei).
set -eu

HERE=$(cd "$(dirname "$0")" && pwd)
OUT=$(cd "$HERE/.." && pwd)
IMAGES=$OUT/images
FONT=${ULVO_FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM

[ -f "$FONT" ] || { echo "font not found: $FONT" >&2; exit 1; }
mkdir -p "$IMAGES"

# The picture area of the "今日" page on a 240 x 320 screen, in the units every drawing below
# is given in: pixels at 96 dpi. Each picture is drawn once at that density and once at 192 dpi,
# where every unit is S = 2 pixels: the same drawing rendered at twice the pixels, so that its
# text and lines are as sharp as the screen, not an enlarged copy.
W=220
H=170

# Where the fruit sits and where the figures beside it start.
FX=66
FY=86
TEXT_X=120

# Points read back from each picture, in drawing units: outside the frame, the frame's fill, the
# two top dots, the rule under the length and the middle of the fruit. Each picture, flipped
# across either axis, differs from itself at one of them at least, so a decoder that flips rows or
# columns shows.
SAMPLES="0,0 5,$((H / 2)) 22,19 $((W - 23)),19 $((TEXT_X + 40)),82 $FX,$FY"
TABLE=$WORK/month_pictures.h

# month_picture FILE TITLE FRUIT LENGTH WEIGHT BACKGROUND BORDER INK FRUIT_DRAWING, with S pixels
# to the unit. The shell's image loader reads GIF: 256 colours at most, which these flat drawings
# with smoothed edges fit without dithering.
month_picture() {
    file=$1 title=$2 fruit=$3 length=$4 weight=$5 bg=$6 border=$7 ink=$8 drawing=$9
    convert -size $((W * S))x$((H * S)) xc:white \
        -fill "$bg" -stroke "$border" -strokewidth 2 \
        -draw "scale $S,$S roundrectangle 1,1 $((W - 2)),$((H - 2)) 18,18" \
        -stroke none -fill white -draw "scale $S,$S roundrectangle 10,36 $((W - 11)),134 14,14" \
        -fill "$border" -draw "scale $S,$S circle 22,19 25,19" -draw "scale $S,$S circle $((W - 23)),19 $((W - 20)),19" \
        -font "$FONT" -fill "$ink" -pointsize $((19 * S)) -gravity north -annotate +0+$((6 * S)) "$title" \
        -gravity northwest \
        -draw "scale $S,$S $drawing" \
        -fill "#6D4C41" -pointsize $((13 * S)) \
        -annotate +$((TEXT_X * S))+$((62 * S)) "$length" -annotate +$((TEXT_X * S))+$((86 * S)) "$weight" \
        -fill "$border" -draw "scale $S,$S rectangle $((TEXT_X)),82 $((TEXT_X + 80)),83" \
        -fill "$ink" -pointsize $((16 * S)) -gravity south -annotate +0+$((10 * S)) "宝宝约${fruit}大小" \
        +dither -colors 256 -type Palette "GIF:$IMAGES/$file"
    table_row "$file"
}

# table_row FILE: the picture's row of month_pictures.h, as ImageMagick decodes the file, at the
# sample points in pixels of that picture.
table_row() {
    format="{ \"$1\", %w, %h, {"
    for point in $SAMPLES; do
        x=$((${point%,*} * S)) y=$((${point#*,} * S))
        format="$format { $x, $y, 0x%[hex:p{$x,$y}] },"
    done
    convert "$IMAGES/$1" -format "${format%,} } },\n" info: | sed 's/^/    /' >>"$TABLE"
}

cat >"$TABLE" <<EOF
// Written by resources/gen/make_images.sh with the pictures beside it: do not edit.
// Each month picture's size and the colour (0xRRGGBB) at a few of its points, as ImageMagick
// reads them back from the GIF file: one table per density, each in the order of the resource
// identifiers.
#pragma once

struct MonthPicturePoint { int x, y; unsigned long rgb; };
struct MonthPictureSource { const char *pszFile; int cx, cy; MonthPicturePoint points[$(echo $SAMPLES | wc -w)]; };
EOF

# Each fruit is drawn around (FX, FY) with plain shapes, at most about 80 pixels across.
cherry="stroke #5D4037 stroke-width 3 fill none
  path 'M 54,92 Q 58,64 72,52'
  path 'M 82,96 Q 80,70 72,52'
  stroke none fill #66BB6A ellipse 82,52 12,6 0,360
  fill #D32F2F circle 52,100 52,114
  fill #E53935 circle 82,104 82,118
  fill #FFCDD2 ellipse 47,95 4,3 0,360 ellipse 77,99 4,3 0,360"

lemon="stroke none fill #FBC02D ellipse 66,88 36,26 0,360
  ellipse 30,88 6,6 0,360 ellipse 102,88 6,6 0,360
  fill #FFEB3B ellipse 66,86 34,23 0,360
  fill #FFF59D ellipse 54,78 12,6 0,360
  fill #7CB342 ellipse 78,60 13,6 0,360
  stroke #5D4037 stroke-width 2 line 70,62 66,64"

apple="stroke none fill #C62828 circle 54,92 54,126 circle 78,92 78,126
  fill #E53935 circle 54,90 54,122 circle 78,90 78,122
  fill #FFCDD2 ellipse 46,78 6,9 0,360
  stroke #5D4037 stroke-width 4 fill none path 'M 66,62 Q 66,52 70,46'
  stroke none fill #66BB6A ellipse 82,52 12,6 0,360"

banana="stroke #F9A825 stroke-width 2 fill #FFEB3B
  path 'M 28,60 Q 34,128 108,100 Q 98,94 90,94 Q 52,96 42,58 Z'
  stroke none fill #FFF59D path 'M 38,72 Q 46,104 84,104 Q 50,98 42,70 Z'
  fill #6D4C41 circle 34,58 34,64 circle 106,99 106,103"

corn="stroke none fill #7CB342 path 'M 66,132 Q 30,110 40,60 Q 52,100 66,120 Z'
  path 'M 66,132 Q 102,110 92,60 Q 80,100 66,120 Z'
  fill #FBC02D ellipse 66,84 19,42 0,360
  fill #FFEB3B ellipse 66,82 16,38 0,360
  fill #F9A825
  circle 58,56 58,58 circle 66,52 66,54 circle 74,56 74,58
  circle 56,68 56,70 circle 66,66 66,68 circle 76,68 76,70
  circle 56,80 56,82 circle 66,78 66,80 circle 76,80 76,82
  circle 56,92 56,94 circle 66,90 66,92 circle 76,92 76,94
  circle 58,104 58,106 circle 66,102 66,104 circle 74,104 74,106
  fill #8BC34A path 'M 66,134 Q 44,118 48,88 Q 58,112 66,124 Z'
  path 'M 66,134 Q 88,118 84,88 Q 74,112 66,124 Z'"

eggplant="push graphic-context translate 62,94 rotate -35
  stroke none fill #4A148C ellipse 0,0 42,22 0,360
  fill #6A1B9A ellipse -2,-2 39,19 0,360
  fill #AB47BC ellipse -14,-8 14,4 0,360
  fill #558B2F ellipse 36,0 10,14 0,360
  fill #7CB342 polygon 30,-14 46,0 30,14 24,0
  stroke #558B2F stroke-width 5 line 44,0 56,0
  pop graphic-context"

pineapple="stroke none fill #2E7D32 polygon 66,30 60,62 72,62
  polygon 48,38 58,64 68,60  polygon 84,38 64,60 74,64
  fill #43A047 polygon 40,50 58,66 62,60  polygon 92,50 70,60 74,66
  fill #F57F17 ellipse 66,96 28,36 0,360
  fill #FFB300 ellipse 66,95 25,33 0,360
  stroke #E65100 stroke-width 2 fill none
  line 44,78 72,128 line 46,66 86,118 line 56,62 92,100
  line 88,78 60,128 line 86,66 46,118 line 76,62 40,100
  stroke none fill #FFE082
  circle 66,76 66,78 circle 56,90 56,92 circle 76,90 76,92 circle 66,104 66,106
  circle 56,118 56,120 circle 76,118 76,120"

melon="stroke none fill #C0CA33 ellipse 66,90 44,36 0,360
  fill #DCE775 ellipse 66,88 41,33 0,360
  stroke #F0F4C3 stroke-width 2 fill none
  ellipse 66,88 30,33 0,360 ellipse 66,88 14,33 0,360
  path 'M 28,74 Q 66,64 104,74' path 'M 25,90 Q 66,80 107,90' path 'M 28,106 Q 66,96 104,106'
  stroke #8D6E63 stroke-width 3 line 66,55 68,48"

watermelon="stroke none fill #1B5E20 circle 66,88 66,132
  fill #43A047 circle 66,88 66,129
  stroke #1B5E20 stroke-width 5 fill none
  ellipse 66,88 10,41 0,360 ellipse 66,88 26,41 0,360 ellipse 66,88 38,41 -60,60 ellipse 66,88 38,41 120,240
  stroke none fill #A5D6A7 ellipse 50,66 8,5 0,360
  stroke #5D4037 stroke-width 3 fill none path 'M 66,47 Q 70,40 76,40'"

# month_pictures TABLE SUFFIX: every month's picture at S pixels to the unit, the files named
# monthNN$SUFFIX.gif, their rows in the table TABLE of month_pictures.h.
month_pictures() {
    printf '\nstatic const MonthPictureSource %s[] = {\n' "$1" >>"$TABLE"
    sfx=$2
    month_picture month01$sfx.gif "怀孕第1-2个月" 樱桃     "身长约1.6厘米" "体重约1克"    "#FCE4EC" "#F48FB1" "#AD1457" "$cherry"
    month_picture month03$sfx.gif "怀孕第3个月"   柠檬     "身长约9厘米"   "体重约14克"   "#FFF8E1" "#FFCA28" "#E65100" "$lemon"
    month_picture month04$sfx.gif "怀孕第4个月"   苹果     "身长约16厘米"  "体重约110克"  "#FBE9E7" "#FF8A65" "#BF360C" "$apple"
    month_picture month05$sfx.gif "怀孕第5个月"   香蕉     "身长约25厘米"  "体重约320克"  "#FFFDE7" "#FDD835" "#F57F17" "$banana"
    month_picture month06$sfx.gif "怀孕第6个月"   玉米     "身长约30厘米"  "体重约630克"  "#F1F8E9" "#AED581" "#33691E" "$corn"
    month_picture month07$sfx.gif "怀孕第7个月"   茄子     "身长约35厘米"  "体重约1000克" "#F3E5F5" "#CE93D8" "#6A1B9A" "$eggplant"
    month_picture month08$sfx.gif "怀孕第8个月"   菠萝     "身长约40厘米"  "体重约1700克" "#FFF3E0" "#FFB74D" "#E65100" "$pineapple"
    month_picture month09$sfx.gif "怀孕第9个月"   哈密瓜   "身长约45厘米"  "体重约2500克" "#F9FBE7" "#D4E157" "#827717" "$melon"
    month_picture month10$sfx.gif "怀孕第10个月"  西瓜     "身长约50厘米"  "体重约3400克" "#E8F5E9" "#81C784" "#1B5E20" "$watermelon"
    echo "};" >>"$TABLE"
}

S=1 month_pictures MONTH_PICTURE_SOURCES ""
S=2 month_pictures MONTH_PICTURE_SOURCES_192 -192
cp "$TABLE" "$IMAGES/month_pictures.h"

# heart_icon SIZE FILE: a white heart on a pink disc, redrawn at each size rather than scaled,
# so that the small one stays crisp.
heart_icon() {
    size=$1 file=$2
    s=$((size * 8))
    convert -size ${s}x${s} xc:none \
        -fill "#EC407A" -draw "circle $((s / 2)),$((s / 2)) $((s / 2)),$((s / 32))" \
        -fill white -draw "circle $((s * 35 / 100)),$((s * 42 / 100)) $((s * 35 / 100)),$((s * 26 / 100))" \
        -draw "circle $((s * 65 / 100)),$((s * 42 / 100)) $((s * 65 / 100)),$((s * 26 / 100))" \
        -draw "polygon $((s * 21 / 100)),$((s * 50 / 100)) $((s * 79 / 100)),$((s * 50 / 100)) $((s / 2)),$((s * 80 / 100))" \
        -resize ${size}x${size} "$file"
}

# The Today item's icon: 16 and 32 pixels, 8-bit palette images with a transparency mask, which
# every version of the device's icon loader understands.
heart_icon 16 "$WORK/today16.png"
heart_icon 32 "$WORK/today32.png"
convert "$WORK/today16.png" "$WORK/today32.png" -channel A -threshold 50% +channel -type PaletteAlpha "$OUT/today.ico"

# main_icon SIZE FILE: the program's icon, a mother-to-be's heart with the character 孕.
main_icon() {
    size=$1 file=$2
    s=$((size * 8))
    convert -size ${s}x${s} xc:none \
        -fill "#F8BBD0" -draw "roundrectangle $((s / 32)),$((s / 32)) $((s - s / 32)),$((s - s / 32)) $((s / 5)),$((s / 5))" \
        -fill "#EC407A" -draw "circle $((s * 35 / 100)),$((s * 40 / 100)) $((s * 35 / 100)),$((s * 20 / 100))" \
        -draw "circle $((s * 65 / 100)),$((s * 40 / 100)) $((s * 65 / 100)),$((s * 20 / 100))" \
        -draw "polygon $((s * 17 / 100)),$((s * 50 / 100)) $((s * 83 / 100)),$((s * 50 / 100)) $((s / 2)),$((s * 88 / 100))" \
        -font "$FONT" -fill white -pointsize $((s * 36 / 100)) -gravity center -annotate +0-$((s / 40)) "孕" \
        -resize ${size}x${size} "$file"
}

# 64 pixels for the About dialog on a 192-dpi screen, 48 and 32 for the rest, all kept as bitmaps
# (not PNG) inside the icon. The 48 and the 32 have 32 bits per pixel with alpha; the 64 is an
# 8-bit palette image with a transparency mask like the Today item's, a third of the size, which
# keeps Main.exe within its budget: its inside keeps smooth edges, only its outline is hard, and
# at that density a hard pixel is half as wide.
main_icon 64 "$WORK/main64.png"
main_icon 48 "$WORK/main48.png"
main_icon 32 "$WORK/main32.png"
convert \( "$WORK/main64.png" -channel A -threshold 50% +channel -type PaletteAlpha \) \
    \( "$WORK/main48.png" "$WORK/main32.png" -type TrueColorAlpha \) "$OUT/main.ico"
