#!/usr/bin/env bash
# Runs a command against a private CUPS scheduler: its own configuration, spool and socket in a
# scratch directory, and a queue, MailpieceTest, whose backend copies every job into
# $MAILPIECE_CUPS_OUTPUT; with Debian's printer-driver-dymo, a second, MailpieceLabelWriter, a
# DYMO LabelWriter 450 through its own driver, whose printer data goes to
# $MAILPIECE_CUPS_LABEL_OUTPUT. $MAILPIECE_CUPS_LOG holds the scheduler's page_log. Nothing of the
# machine's own CUPS setup is touched.
# Usage: with-private-cups.sh SCRATCH_DIR COMMAND [ARGS...]. Exits 77 (skipped) when no CUPS
# scheduler can run here.
set -euo pipefail
scratch=$1
shift
here=$(cd "$(dirname "$0")" && pwd)

command -v cupsd >/dev/null && command -v lpadmin >/dev/null || { echo "cupsd not installed" >&2; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "a private cupsd needs root here" >&2; exit 77; }

rm -rf "$scratch"
mkdir -p "$scratch"/{conf,spool,cache,state,tmp,log,out,out-label,bin/backend}
chmod 0755 "$scratch" "$scratch"/{conf,cache,state,log,bin,bin/backend}
chmod 0710 "$scratch/spool"
chmod 1777 "$scratch/tmp" "$scratch/out" "$scratch/out-label"
chgrp lp "$scratch/spool" "$scratch/cache" 2>/dev/null || true

# The scheduler's helper programs are the system's, plus our backend.
for entry in /usr/lib/cups/*; do
    [ "$(basename "$entry")" = backend ] || ln -s "$entry" "$scratch/bin/"
done
for backend in /usr/lib/cups/backend/*; do
    ln -s "$backend" "$scratch/bin/backend/"
done
install -m 0700 "$here/mailpiece-test-backend" "$scratch/bin/backend/mailpiece-test"

socket="$scratch/state/cups.sock"
cat > "$scratch/conf/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat > "$scratch/conf/cups-files.conf" <<CONF
ServerRoot $scratch/conf
RequestRoot $scratch/spool
CacheDir $scratch/cache
StateDir $scratch/state
TempDir $scratch/tmp
ServerBin $scratch/bin
DataDir /usr/share/cups
AccessLog $scratch/log/access_log
ErrorLog $scratch/log/error_log
PageLog $scratch/log/page_log
User lp
Group lp
SystemGroup root
CONF

cupsd -f -c "$scratch/conf/cupsd.conf" -s "$scratch/conf/cups-files.conf" &
cupsd_pid=$!
trap 'kill "$cupsd_pid" 2>/dev/null || true; wait "$cupsd_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -S "$socket" ] && break
    sleep 0.1
done
[ -S "$socket" ] || { echo "private cupsd did not start" >&2; cat "$scratch/log/error_log" >&2 || true; exit 77; }

export CUPS_SERVER=$socket
export MAILPIECE_CUPS_OUTPUT=$scratch/out
export MAILPIECE_CUPS_LOG=$scratch/log
lpadmin -p MailpieceTest -E -v "mailpiece-test:$scratch/out" -m raw 2>/dev/null
lpadmin -d MailpieceTest
if [ -x /usr/lib/cups/driver/dymo ] &&
    /usr/lib/cups/driver/dymo cat dymo:0/cups/model/lw450.ppd > "$scratch/lw450.ppd"; then
    lpadmin -p MailpieceLabelWriter -E -v "mailpiece-test:$scratch/out-label" \
        -P "$scratch/lw450.ppd" 2>/dev/null
    export MAILPIECE_CUPS_LABEL_OUTPUT=$scratch/out-label
fi

"$@"
