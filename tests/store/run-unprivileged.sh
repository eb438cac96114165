#!/bin/sh
# Runs a test binary as the unprivileged user "nobody" when started as root,
# since root ignores the file permissions the test depends on.
bin=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$bin" "$@"
fi
tmp=$(mktemp -d)
cp "$bin" "$tmp/"
chmod 755 "$tmp" "$tmp/$(basename "$bin")"
cd "$tmp" || exit 1
setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$tmp" TMPDIR=/tmp \
    "$tmp/$(basename "$bin")" "$@"
rc=$?
rm -rf "$tmp"
exit $rc
