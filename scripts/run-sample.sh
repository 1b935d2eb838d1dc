#!/bin/sh
# `make run`: opens the first unread mail of the bundled sample store in a fresh copy
# of it, with PELKHOME pointing there. Without a display it prints the mail instead.
set -e
BUILD=${1:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
STORE="$ROOT/$BUILD/sample-store"
rm -rf "$STORE"
cp -r "$ROOT/examples/pelkhome" "$STORE"
export PELKHOME="$STORE"
export VARNEL_INI="$STORE/varnel32.ini"

# First mail of in/ whose status line says RECV.
MAIL=""
for f in "$STORE"/in/[0-9][0-9][0-9][0-9].txt; do
    if head -c 20 "$f" | grep -q "X-Status: RECV"; then MAIL="$f"; break; fi
done
[ -n "$MAIL" ] || MAIL=$(ls "$STORE"/in/[0-9][0-9][0-9][0-9].txt | head -n 1)

if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    echo "run: no display; printing $MAIL"
    exec "$ROOT/$BUILD/bin/varnel32" --dump "$MAIL"
fi
exec "$ROOT/$BUILD/bin/varnel32" "$MAIL"
