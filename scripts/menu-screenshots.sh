#!/bin/sh
# Part of `make screenshots`: opens every menu, the pop-up menu and a tool button's hint
# of a running varnel32 under Xvfb with xdotool, in English and in Japanese, and saves
# PNGs in BUILD/screenshots (menu-LANG-NAME.png).
set -e
BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/$BUILD/screenshots"
mkdir -p "$OUT"

if [ -z "$INSIDE_XVFB" ]; then
    INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

shot() {  # file
    sleep 0.6
    import -window root "$OUT/$1.png"
    echo "screenshots: $OUT/$1.png"
}

run_language() {  # lang EnglishMenu pelk-key
    LANG_TAG=$1
    STORE="$ROOT/$BUILD/menu-store-$LANG_TAG"
    rm -rf "$STORE"
    cp -r "$ROOT/examples/pelkhome" "$STORE"
    INI="$STORE/varnel32.ini"
    printf '[Window]\r\nLeft=0\r\nTop=0\r\nWidth=900\r\nHeight=520\r\n[View]\r\nEnglishMenu=%s\r\n[Key]\r\nHeader=116\r\nViewerMode=117\r\nPelkNext=120\r\nReplyWithStatus1=626\r\n[ReplyStatus]\r\nStatus1=Done\r\nStatus3=Later\r\n[Command]\r\nCommandMenu1=&View as text\r\nCommand1=cat $32\r\nKeyCommand1=628\r\n[Insert]\r\nInsertMenu1=&Signature\r\nInsert1=-- \\nMe\r\n' \
        "$2" > "$INI"
    RT=$(mktemp -d /tmp/varnel-menu.XXXXXX)
    VARNEL_RUNTIME_DIR="$RT" "$ROOT/$BUILD/bin/pelkmail" --home "$STORE" --log "$STORE/pelkmail.log" &
    PELK=$!
    sleep 0.5
    PELKHOME="$STORE" VARNEL_INI="$INI" VARNEL_RUNTIME_DIR="$RT" \
        "$ROOT/$BUILD/bin/varnel32" "$STORE/in/0004.txt" &
    APP=$!
    WIN=$(xdotool search --sync --onlyvisible --name "Varnel32")
    sleep 1.5
    xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"
    shot "toolbar-$LANG_TAG"
    # Each menu by its access key.
    for m in "File1 f" "Mail1 m" "Thread2 t" "Pelk1 $3" "Reply2 r" "Command0 c" "Edit1 e" \
        "Insert0 i" "View1 v" "Link1 l" "Help1 h"; do
        set -- $m
        xdotool key "alt+$2"
        shot "menu-$LANG_TAG-$1"
        xdotool key Escape Escape
    done
    # The submenus: Mail > Special, Edit > Special, Edit > Edit.
    xdotool key alt+m s
    shot "menu-$LANG_TAG-Special2"
    xdotool key Escape Escape Escape
    xdotool key alt+e p
    shot "menu-$LANG_TAG-Special1"
    xdotool key Escape Escape Escape
    xdotool key alt+e e
    shot "menu-$LANG_TAG-Edit2"
    xdotool key Escape Escape Escape
    # The pop-up menu at a right click in the text.
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    xdotool mousemove $((X + 200)) $((Y + 200)) click 3
    shot "menu-$LANG_TAG-PopupMenu1"
    xdotool key Escape
    # A tool button's hint.
    xdotool mousemove $((X + 16)) $((Y + 40))
    sleep 1.2
    shot "toolbar-hint-$LANG_TAG"
    kill $APP 2>/dev/null || true
    kill $PELK 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$RT" "$STORE"
}

run_language en 1 p
run_language ja 0 d
