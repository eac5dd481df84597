#!/bin/sh
# Starts the installed workstation.  Every program that opens the database must share one
# writable lock directory; the operators of the "zarvik" group share the data.
export FIREBIRD_LOCK="${FIREBIRD_LOCK:-/var/lib/zarvik/.lock}"
umask 002
exec /opt/zarvik/zarvik "$@"
