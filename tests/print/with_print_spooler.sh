#!/usr/bin/env bash
# Runs a command beside a print spooler of its own: a CUPS daemon in a scratch folder with one PDF
# printer queue (cups-pdf) as its default. The command finds the spooler through CUPS_SERVER, the queue
# through TALVENOR_SPOOLER_QUEUE and the folder the queue writes its PDF files into through
# TALVENOR_SPOOLER_OUT. Exits 77 (skipped) when the daemon cannot be started here, and stops it again
# whatever happens.
set -u

skip() {
    echo "SKIPPED: the print spooler test cannot run here: $*"
    exit 77
}

cupsd=/usr/sbin/cupsd
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
[ "$(id -u)" = 0 ] || skip "the PDF backend runs as root, and so must this script"
[ -x "$cupsd" ] || skip "$cupsd is not installed (Debian package cups)"
[ -x "$backend" ] && [ -f "$ppd" ] || skip "the PDF printer driver is not installed (printer-driver-cups-pdf)"
command -v lpadmin >/dev/null && command -v lpstat >/dev/null || skip "lpadmin and lpstat are missing (cups-client)"

dir=$(mktemp -d /tmp/talvenor-spooler.XXXXXX) || skip "no scratch folder"
queue="talvenor-test-$$"
# The PDF backend reads a configuration of the queue's own from its fixed folder.
queueConf="/etc/cups/cups-pdf-$queue.conf"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    fi
    rm -f "$queueConf"
    rm -rf "$dir"
}
trap cleanup EXIT

mkdir -p "$dir"/{spool,cache,state,log,out,run}
# The daemon runs its filters as lp and must reach every folder.
chmod -R a+rwx "$dir"
cat > "$dir/cupsd.conf" <<CONF
Listen $dir/run/cups.sock
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/spool
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup root
CONF
cat > "$queueConf" <<CONF
Out $dir/out
AnonDirName $dir/out
UserUMask 0000
Grp lp
CONF

"$cupsd" -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
pid=$!
export CUPS_SERVER="$dir/run/cups.sock"
up=""
for _ in $(seq 100); do
    if lpstat -r >/dev/null 2>&1; then up=1; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
[ -n "$up" ] || { cat "$dir/log/error_log" 2>/dev/null; skip "the CUPS daemon did not start"; }

# The queue turns the program's PDF into PostScript with cairo, which keeps the text readable. A daemon
# that has only just started may still turn the first request away, so it is asked again for a while.
added=""
for _ in $(seq 50); do
    if error=$(lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" -o pdftops-renderer-default=pdftocairo 2>&1) \
       && error=$(lpadmin -d "$queue" 2>&1) && lpstat -d 2>/dev/null | grep -q "$queue"; then
        added=1
        break
    fi
    sleep 0.2
done
[ -n "$added" ] || { cat "$dir/log/error_log"; echo "the PDF printer queue could not be added: $error"; exit 1; }

export TALVENOR_SPOOLER_QUEUE="$queue"
export TALVENOR_SPOOLER_OUT="$dir/out"
timeout 300 "$@"
status=$?
[ $status -eq 0 ] || { echo "--- spooler log"; cat "$dir/log/error_log" 2>/dev/null; }
exit $status
