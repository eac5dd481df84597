#!/usr/bin/env bash
# Installs and (re)starts a Firebird 3 server on 127.0.0.1:3050 without systemd, with SYSDBA's
# password set to the workstation's second password, so that the access-layer tests can run a
# second time through a server (the multi-workstation setup).  Safe to run again: a running
# server is stopped, the password set again, and the server started anew.  Needs root.
set -euo pipefail

password=lanternox
init=/etc/init.d/firebird3.0
security=/var/lib/firebird/3.0/system/security3.fdb

if ! dpkg-query -W -f='${Status}' firebird3.0-server 2>/dev/null | grep -q "install ok installed"; then
  apt-get update -q
  # The package's own start is refused without an init system; it is started below.
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends firebird3.0-server
fi

# The password lives in the security database, which the server holds exclusively while it
# runs: stop it and change the password through the embedded engine, as the server's user and
# with the server's lock directory.
"$init" stop >/dev/null 2>&1 || true
for _ in $(seq 1 30); do
  pidof firebird >/dev/null 2>&1 || pidof fbguard >/dev/null 2>&1 || break
  sleep 1
done
mkdir -p /tmp/firebird
chown firebird:firebird /tmp/firebird
chmod 0770 /tmp/firebird
printf "CREATE OR ALTER USER SYSDBA PASSWORD '%s' USING PLUGIN Srp;\nCOMMIT;\n" "$password" |
  runuser -u firebird -- env FIREBIRD_LOCK=/tmp/firebird isql-fb -q -bail -user SYSDBA "$security"

"$init" start
# Wait until it accepts connections on the loopback port.
for _ in $(seq 1 30); do
  if (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
    echo "Firebird server listening on 127.0.0.1:3050"
    exit 0
  fi
  sleep 1
done
echo "Firebird server did not start" >&2
exit 1
