#!/bin/sh
# `make run`: opens the first unread mail of the bundled sample store in a fresh copy
# of it, with PELKHOME pointing there and the stand-in mailer beside it. Without a
# display it prints the mail instead.
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

# The stand-in mailer answers Varnel's commands beside it, in a runtime directory of
# this run only; it stops when Varnel closes (and by itself should this script die).
RT=$(mktemp -d /tmp/varnel-run.XXXXXX)
export VARNEL_RUNTIME_DIR="$RT"
mkdir -p "$STORE/queue"
cp "$ROOT"/tools/pelkmail/queue/*.txt "$STORE/queue/" 2>/dev/null || true
"$ROOT/$BUILD/bin/pelkmail" --home "$STORE" --log "$STORE/pelkmail.log" \
    --windows main --exit-with $$ &
PELK=$!
trap 'kill $PELK 2>/dev/null; wait $PELK 2>/dev/null; rm -rf "$RT"' EXIT INT TERM
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    [ -S "$RT/pelk.command" ] && break
    sleep 0.1
done
echo "run: pelkmail logs to $STORE/pelkmail.log"
"$ROOT/$BUILD/bin/varnel32" "$MAIL"
