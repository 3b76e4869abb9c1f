#!/usr/bin/env bash
# Runs a command against a private PostgreSQL server: its own data directory and Unix socket in a
# fresh temporary directory, trust authentication for the role "mailpiece", and an empty database
# "mailpiece". The command finds it through PGHOST and MAILPIECE_TEST_POSTGRES. The server is
# stopped and its directory removed when the command ends. Nothing of the machine's own
# PostgreSQL is touched.
# Usage: with-private-postgres.sh COMMAND [ARGS...]. Exits 77 (skipped) when no server is
# installed.
set -euo pipefail

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bin" ] && [ -x "$bin/initdb" ] || { echo "no PostgreSQL server installed" >&2; exit 77; }

# A short path: a Unix socket's name may not be longer than 107 bytes.
scratch=$(mktemp -d /tmp/mailpiece-pg.XXXXXX)
chmod 0755 "$scratch"
# initdb refuses to run as root; the server then runs as nobody.
as=()
if [ "$(id -u)" -eq 0 ]; then
    as=(runuser -u nobody --)
    chown nobody "$scratch"
fi
stop() {
    "${as[@]}" "$bin/pg_ctl" -D "$scratch/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap stop EXIT

"${as[@]}" "$bin/initdb" -D "$scratch/data" -A trust -U mailpiece -E UTF8 --no-sync \
    >"$scratch/initdb.log" 2>&1 || { cat "$scratch/initdb.log" >&2; exit 1; }
"${as[@]}" "$bin/pg_ctl" -D "$scratch/data" -l "$scratch/server.log" -w -t 60 \
    -o "-k $scratch -c listen_addresses='' -F" start >/dev/null ||
    { cat "$scratch/server.log" >&2; exit 1; }
"$bin/createdb" -h "$scratch" -U mailpiece mailpiece

export PGHOST=$scratch
export MAILPIECE_TEST_POSTGRES=postgresql://mailpiece@/mailpiece
set +e
"$@"
status=$?
set -e
exit $status
