#!/bin/sh
# Installs the Debian packages the build, the tests and `make run` need.
# As root it runs apt-get; otherwise it prints the exact command and stops.
set -e
PACKAGES="qt6-base-dev libgtest-dev cmake ninja-build pkg-config g++ make python3 \
fonts-ipafont-gothic xvfb xauth libhunspell-dev hunspell-en-us poppler-utils"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "install-deps: missing Debian packages:$missing"
if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root:  apt-get update && apt-get install -y$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends $missing
