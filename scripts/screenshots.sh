#!/bin/sh
# `make screenshots`: starts varnel32 under Xvfb on three sample mails of a fresh copy of
# the bundled store (a Japanese summary view, a quoted reply draft in editor mode, the
# full header) with the stand-in mailer beside it, and saves PNGs in BUILD/screenshots.
set -e
BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/$BUILD/screenshots"
STORE="$ROOT/$BUILD/screenshot-store"
mkdir -p "$OUT"

shoot() {  # name mail extra-ini-lines
    rm -rf "$STORE"
    cp -r "$ROOT/examples/pelkhome" "$STORE"
    INI="$STORE/varnel32.ini"
    printf '[Window]\r\nLeft=0\r\nTop=0\r\nWidth=760\r\nHeight=540\r\nEditWidth=760\r\n[View]\r\nEnglishMenu=0\r\n%b' \
        "$3" > "$INI"
    RT=$(mktemp -d /tmp/varnel-shot.XXXXXX)
    VARNEL_RUNTIME_DIR="$RT" "$ROOT/$BUILD/bin/pelkmail" --home "$STORE" --log "$STORE/pelkmail.log" --exit-with $$ &
    PELK=$!
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
        [ -S "$RT/pelk.command" ] && break
        sleep 0.1
    done
    PELKHOME="$STORE" VARNEL_INI="$INI" VARNEL_RUNTIME_DIR="$RT" \
        VARNEL_SCREENSHOT="$OUT/$1.png" VARNEL_SCREENSHOT_DELAY=2500 \
        xvfb-run -a -s "-screen 0 1024x768x24" "$ROOT/$BUILD/bin/varnel32" "$STORE/$2" ||
        echo "screenshots: varnel32 failed for $1" >&2
    kill $PELK 2>/dev/null || true
    wait $PELK 2>/dev/null || true
    rm -rf "$RT"
    [ -f "$OUT/$1.png" ] && echo "screenshots: $OUT/$1.png"
}

shoot summary-ja in/0004.txt 'UnderLine=1\r\n'
shoot reply-draft out/0001.txt 'LineNum=1\r\nRuler=0\r\n'
shoot full-header in/0010.txt 'Header=1\r\n'
