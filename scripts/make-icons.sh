#!/bin/sh
# Draws the bundled tool bar icons (data/icons/*.png, 24 x 24) with ImageMagick. They
# stand in where the desktop's icon theme has no icon of that name. Run after a change.
set -e
OUT=$(cd "$(dirname "$0")/.." && pwd)/data/icons
mkdir -p "$OUT"

icon() {  # name draw-arguments...
    name=$1
    shift
    convert -size 24x24 xc:none -strokewidth 1.5 "$@" "PNG32:$OUT/$name.png"
}

envelope() {  # name extra...
    name=$1
    shift
    icon "$name" -fill '#fdfdf5' -stroke '#55606e' -draw 'rectangle 3,6 20,18' \
        -fill none -draw 'polyline 3,6 11.5,13 20,6' "$@"
}
envelope mail-send -fill '#2f7d32' -stroke '#1b4d1e' -draw 'polygon 13,14 21,14 21,11 24,16 21,21 21,18 13,18'
envelope mail-reply-sender -fill '#2a62b0' -stroke '#173a6b' -draw 'polygon 0,15 6,10 6,13 12,13 12,17 6,17 6,20'
envelope mail-reply-all -fill '#2a62b0' -stroke '#173a6b' -draw 'polygon 0,15 6,10 6,13 12,13 12,17 6,17 6,20' \
    -draw 'polygon 5,15 11,10 11,13 16,13 16,17 11,17 11,20'
envelope mail-forward -fill '#2a62b0' -stroke '#173a6b' -draw 'polygon 24,15 18,10 18,13 12,13 12,17 18,17 18,20'
envelope mail-mark-important -fill '#d23c2a' -stroke '#7a1f14' -draw 'rectangle 16,1 19,12' -draw 'rectangle 16,15 19,18'
envelope mail-message-new -fill '#e9b93a' -stroke '#7a5a10' -draw 'polygon 14,20 22,4 24,6 16,22'
icon document-save -fill '#3b6fb6' -stroke '#1f3c66' -draw 'roundrectangle 3,3 20,20 2,2' \
    -fill '#f2f2f2' -draw 'rectangle 7,3 16,9' -fill '#dde3ea' -draw 'rectangle 6,13 17,20'
icon document-print -fill '#bfc5cc' -stroke '#4a525c' -draw 'roundrectangle 2,9 21,18 2,2' \
    -fill '#ffffff' -draw 'rectangle 6,3 17,10' -draw 'rectangle 6,15 17,22'
icon document-properties -fill '#ffffff' -stroke '#55606e' -draw 'rectangle 4,2 19,21' \
    -stroke '#2a62b0' -draw 'line 7,7 16,7' -draw 'line 7,11 16,11' -draw 'line 7,15 13,15'
icon edit-delete -fill '#d23c2a' -stroke '#7a1f14' -strokewidth 3 -draw 'line 5,5 18,18' -draw 'line 18,5 5,18'
icon go-previous -fill '#2a62b0' -stroke '#173a6b' -draw 'polygon 2,12 10,4 10,8 21,8 21,16 10,16 10,20'
icon go-next -fill '#2a62b0' -stroke '#173a6b' -draw 'polygon 21,12 13,4 13,8 2,8 2,16 13,16 13,20'
icon go-up -fill '#f2c318' -stroke '#7a6000' -draw 'polygon 12,2 20,10 16,10 16,21 8,21 8,10 4,10'
icon go-down -fill '#f2c318' -stroke '#7a6000' -draw 'polygon 12,21 20,13 16,13 16,2 8,2 8,13 4,13'
icon go-first -fill '#fdfdf5' -stroke '#55606e' -draw 'rectangle 8,6 22,17' -fill none -draw 'polyline 8,6 15,12 22,6' \
    -fill '#e07a10' -stroke '#7a3f05' -draw 'polygon 0,12 6,6 6,18'
icon go-last -fill '#fdfdf5' -stroke '#55606e' -draw 'rectangle 1,6 15,17' -fill none -draw 'polyline 1,6 8,12 15,6' \
    -fill '#e07a10' -stroke '#7a3f05' -draw 'polygon 23,12 17,6 17,18'
icon edit-undo -fill none -stroke '#2a62b0' -strokewidth 3 -draw 'arc 5,7 20,20 200,360' \
    -fill '#2a62b0' -strokewidth 1 -draw 'polygon 1,12 9,8 8,16'
icon edit-redo -fill none -stroke '#2a62b0' -strokewidth 3 -draw 'arc 3,7 18,20 180,340' \
    -fill '#2a62b0' -strokewidth 1 -draw 'polygon 22,12 14,8 15,16'
icon edit-cut -fill none -stroke '#4a525c' -strokewidth 2 -draw 'circle 7,17 7,20' -draw 'circle 16,17 16,20' \
    -draw 'line 8,14 17,3' -draw 'line 15,14 6,3'
icon edit-copy -fill '#ffffff' -stroke '#55606e' -draw 'rectangle 3,3 14,16' -draw 'rectangle 9,8 20,21'
icon edit-paste -fill '#c58b4a' -stroke '#6b4620' -draw 'roundrectangle 3,4 18,21 2,2' \
    -fill '#ffffff' -stroke '#55606e' -draw 'rectangle 9,9 21,22' -fill '#bfc5cc' -draw 'rectangle 7,2 14,6'
icon edit-find -fill '#dfeefa' -stroke '#3a4450' -strokewidth 2.5 -draw 'circle 9,9 9,15' -strokewidth 4 -draw 'line 14,14 21,21'
icon web-browser -fill '#6fa8dc' -stroke '#1f4e79' -draw 'circle 12,12 12,22' -fill none \
    -draw 'ellipse 12,12 4,10 0,360' -draw 'line 2,12 22,12' -draw 'line 4,7 20,7' -draw 'line 4,17 20,17'
icon x-office-address-book -fill '#8e5a2a' -stroke '#4a2d12' -draw 'roundrectangle 4,2 20,21 2,2' \
    -fill '#f5e6cc' -draw 'circle 12,9 12,12' -draw 'ellipse 12,17 5,3 180,360'
