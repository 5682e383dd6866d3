#!/usr/bin/env bash
# A private CUPS scheduler for the print tests: its own configuration, socket, spool, logs and a
# cups-pdf queue "vlnokan-pdf" (the default of this scheduler only) that writes each job as a PDF
# file into DIR/pdf. cups-pdf reads its settings only from /etc/cups, so the queue gets an
# instance file of its own there (cups-pdf-vlnokan-<hash of DIR>.conf), removed again by stop. Nothing of the machine's own printer settings is touched; clients reach it
# only through CUPS_SERVER=DIR/cups.sock.
#   cups-scheduler.sh start DIR   starts it (waits until the queue accepts jobs)
#   cups-scheduler.sh stop DIR    stops it
# cups-pdf hands its files over only when it runs as root, so the scheduler needs root.
set -euo pipefail

action=${1:?start or stop}
dir=$(realpath -m "${2:?folder}")
queue=vlnokan-pdf
instance="vlnokan-$(printf %s "$dir" | md5sum | cut -c1-12)"
instanceConf="/etc/cups/cups-pdf-$instance.conf"

stop() {
    if [ -f "$dir/cupsd.pid" ]; then
        pid=$(cat "$dir/cupsd.pid")
        if kill "$pid" 2>/dev/null; then
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            kill -9 "$pid" 2>/dev/null || true
        fi
        rm -f "$dir/cupsd.pid"
    fi
    rm -f "$instanceConf"
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "the private print queue needs root (cups-pdf runs only as root)" >&2
    exit 77
fi
for tool in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat /usr/lib/cups/backend/cups-pdf; do
    [ -x "$tool" ] || { echo "missing $tool" >&2; exit 77; }
done

stop
rm -rf "$dir"
mkdir -p "$dir"/{root,spool/tmp,cache,state,log,pdf,pdfspool}
chmod 0755 "$dir" "$dir/pdf"
chmod 0710 "$dir/spool"
chmod 1777 "$dir/spool/tmp"
root="$dir/root"
mkdir -p "$root/ppd"

cat >"$root/cups-files.conf" <<CONF
ServerRoot $root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
ConfigFilePerm 0644
LogFilePerm 0644
CONF

cat >"$root/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
LogLevel info
MaxLogSize 0
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF

cat >"$instanceConf" <<CONF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdfspool
UserPrefix
Grp root
Log $dir/log
LogType 3
CONF

/usr/sbin/cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" </dev/null \
    >>"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"

export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
done
lpstat -r | grep -q "is running" || { echo "the scheduler did not start" >&2; cat "$dir/log/error_log" >&2 || true; stop; exit 1; }

lpadmin -p "$queue" -v "cups-pdf:/$instance" -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -d "$queue"

# A second queue on the same cups-pdf instance, like a laser printer: a border it cannot print
# on (18 pt left and right, 36 pt top and bottom on A4) and 600 dpi by default.
ppd=$(find /usr/share/ppd /usr/share/cups/model -name CUPS-PDF_opt.ppd 2>/dev/null | head -n 1)
[ -n "$ppd" ] || { echo "cups-pdf's PPD not found" >&2; stop; exit 77; }
sed -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 36 577 806"|' \
    -e 's|^\*DefaultResolution: .*|*DefaultResolution: 600dpi|' "$ppd" >"$dir/margins.ppd"
lpadmin -p vlnokan-margins -v "cups-pdf:/$instance" -E -P "$dir/margins.ppd"
# A US laser printer: Letter by default, 18 pt unprintable at the left, right and bottom, 36 pt at
# the top.
sed -e 's|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: "18 18 594 756"|' \
    -e 's#^\*Default\(PageSize\|PageRegion\|ImageableArea\|PaperDimension\): A4#*Default\1: Letter#' \
    "$ppd" >"$dir/letter.ppd"
lpadmin -p vlnokan-letter -v "cups-pdf:/$instance" -E -P "$dir/letter.ppd"
# And one whose default is given in dots per centimetre, finer across than down.
sed -e 's|^\*DefaultResolution: .*|*DefaultResolution: 240x120dpcm|' "$ppd" >"$dir/dpcm.ppd"
lpadmin -p vlnokan-dpcm -v "cups-pdf:/$instance" -E -P "$dir/dpcm.ppd"
lpstat -d
