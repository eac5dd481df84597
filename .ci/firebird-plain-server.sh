#!/usr/bin/env bash
# Starts a second Firebird 3 server on 127.0.0.1:3051 that offers no wire encryption
# (WireCrypt = Disabled), so the tests can show that the workstation refuses such a server.
# It runs beside the one of .ci/firebird-server.sh (which must be installed) with its own
# configuration directory, lock directory and copy of the security database.  Safe to run again:
# the instance started last time is stopped first.  Needs root.
set -euo pipefail

root=/tmp/zarvik-fb-plain
lib=/usr/lib/x86_64-linux-gnu/firebird/3.0

if [ -f "$root/firebird.pid" ]; then
  start-stop-daemon --stop --quiet --retry 10 --pidfile "$root/firebird.pid" || true
fi
rm -rf "$root"
mkdir -p "$root/lock"
# The engine finds its messages, plug-ins and character sets under its root directory.
for entry in "$lib"/*; do
  case "$(basename "$entry")" in
    firebird.conf | databases.conf) ;;
    *) ln -s "$(readlink -f "$entry")" "$root/$(basename "$entry")" ;;
  esac
done
cp /var/lib/firebird/3.0/system/security3.fdb "$root/security3.fdb"
printf 'security.db = %s/security3.fdb\n' "$root" >"$root/databases.conf"
cat >"$root/firebird.conf" <<CONF
RemoteServicePort = 3051
RemoteBindAddress = 127.0.0.1
WireCrypt = Disabled
SecurityDatabase = $root/security3.fdb
CONF
chown -R firebird:firebird "$root"

FIREBIRD="$root" FIREBIRD_LOCK="$root/lock" FIREBIRD_TMP="$root" \
  start-stop-daemon --start --quiet --background --make-pidfile --pidfile "$root/firebird.pid" \
  --chuid firebird --exec /usr/sbin/firebird
for _ in $(seq 1 30); do
  if (exec 3<>/dev/tcp/127.0.0.1/3051) 2>/dev/null; then
    echo "Firebird server without wire encryption listening on 127.0.0.1:3051"
    exit 0
  fi
  sleep 1
done
echo "The Firebird server without wire encryption did not start" >&2
exit 1
