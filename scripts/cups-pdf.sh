#!/usr/bin/env bash
# A PDF print queue on this machine's CUPS, for the tests that print for real.
#
#   cups-pdf.sh up
#     Starts cupsd when no scheduler runs (root only) and adds the queue
#     VelmoraPDF (cups-pdf backend) when it is missing. Prints
#       started=<pid of the cupsd it started, 0 when one was running>
#       added=<1 when it added the queue, else 0>
#       queue=VelmoraPDF
#       out=<directory where cups-pdf writes this user's files>
#     and exits 77, the reason on stderr, when no queue can be had here.
#   cups-pdf.sh down <started> <added>
#     Takes away what "up" made: the queue it added, the cupsd it started.
#
# The queue is never made the default destination; every step is bounded.
set -uo pipefail

queue=VelmoraPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
conf=/etc/cups/cups-pdf.conf

running() { timeout 5 lpstat -r 2>/dev/null | grep -q "is running"; }

down() {
  local started=${1:-0} added=${2:-0}
  if [ "$added" = 1 ]; then
    timeout 20 lpadmin -x "$queue" 2>/dev/null || true
  fi
  if [ "$started" != 0 ]; then
    kill "$started" 2>/dev/null || true
    for _ in $(seq 50); do
      running || break
      sleep 0.2
    done
  fi
}

skip() {
  echo "$*" >&2
  exit 77
}

up() {
  command -v lpstat >/dev/null && command -v lpadmin >/dev/null ||
    skip "no CUPS client tools (lpstat, lpadmin); scripts/deps.sh installs them"
  local started=0 added=0
  if ! running; then
    command -v cupsd >/dev/null || skip "no CUPS scheduler (cupsd) is installed"
    [ "$(id -u)" -eq 0 ] || skip "no CUPS scheduler runs and only root may start one"
    setsid cupsd -f </dev/null >/dev/null 2>&1 &
    started=$!
    for _ in $(seq 50); do
      running && break
      sleep 0.2
    done
    running || {
      down "$started" 0
      skip "cupsd did not start within 10 s"
    }
  fi
  if ! timeout 5 lpstat -v "$queue" >/dev/null 2>&1; then
    [ -f "$ppd" ] || {
      down "$started" 0
      skip "no cups-pdf driver ($ppd); scripts/deps.sh installs printer-driver-cups-pdf"
    }
    # pdftocairo keeps the text of the pages and their places; the renderer
    # chosen by default loses the text on the way to PostScript.
    local msg
    msg=$(timeout 20 lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E \
      -o pdftops-renderer-default=pdftocairo 2>&1)
    timeout 5 lpstat -v "$queue" >/dev/null 2>&1 || {
      down "$started" 0
      skip "the queue $queue could not be added: $msg"
    }
    added=1
  fi
  # cups-pdf writes where its "Out" setting says, ${HOME} and ${USER} being
  # those of the user who printed.
  local user home out
  user=$(id -un)
  home=$(getent passwd "$user" | cut -d: -f6)
  out=$(grep -E '^[[:space:]]*Out[[:space:]]' "$conf" 2>/dev/null | tail -n 1 | awk '{print $2}')
  out=${out:-/var/spool/cups-pdf/\$\{USER\}}
  out=${out//\$\{HOME\}/$home}
  out=${out//\$\{USER\}/$user}
  echo "started=$started"
  echo "added=$added"
  echo "queue=$queue"
  echo "out=$out"
}

case "${1:-}" in
up) up ;;
down) down "${2:-0}" "${3:-0}" ;;
*)
  echo "usage: $0 up | down <started> <added>" >&2
  exit 2
  ;;
esac
