#!/usr/bin/env bash
# Remakes the guide's pictures in docs/screenshots: a small catalogue is
# generated in a scratch directory and the program is walked through the GUI
# driver (GUI_DRIVER, by default ../shared/tools/gui) as a user would.
# THEMES chooses the colours, by default "light dark": light pictures go into
# docs/screenshots, dark ones (Fusion with VELMORA_COLOURS=dark) into
# docs/screenshots/dark.
set -euo pipefail
cd "$(dirname "$0")/.."
driver=$(cd "${GUI_DRIVER:-../shared/tools/gui}" && pwd)
program=${1:-build/velmora}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/config/Norvane"

# A first start prepares the tables; it is ended as soon as they exist.
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$program" --data-dir "$work/data" &
pid=$!
for _ in $(seq 1 300); do
  [ -f "$work/data/Users_c2.nrv" ] && break
  sleep 0.1
done
kill -TERM "$pid"; wait "$pid" || true

/usr/bin/python3 docs/walk/fill_catalogue.py "$work/data"
# An earlier start's settings: no splash screen, no reminders, no news.
cat > "$work/config/Norvane/Velmora.conf" <<CONF
[General]
Start_DLG=0
Kontrola=0
Kontrola%20CD=0
Version=2002.A
Dat_verze=27.05.2002
Setup_OS=4
Last%20exit=1
Vlastnik%20dat=Novákovi
CONF

for theme in ${THEMES:-light dark}; do
  case "$theme" in
    light) out=docs/screenshots; colours= ;;
    dark) out=docs/screenshots/dark; colours=dark ;;
    *) echo "unknown theme: $theme" >&2; exit 2 ;;
  esac
  mkdir -p "$out"
  XDG_CONFIG_HOME="$work/config" VELMORA_COLOURS="$colours" \
    "$driver/run.sh" "$program" --data-dir "$work/data" -- \
    env PYTHONPATH="$driver" /usr/bin/python3 docs/walk/guide_walk.py "$(pwd)/$out"
done
